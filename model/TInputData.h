#pragma once
// Entered values: what the user put into one input frame, with a private copy of the item
// definition it was entered for, and its conversion into the text that goes into the page.

#include <QDateTime>
#include <QString>
#include <map>
#include <memory>

#include "TInputBase.h"
#include "TOutputData.h"

class TInputData {
public:
    virtual ~TInputData() = default;
    TInputData(const TInputData&) = delete;
    TInputData& operator=(const TInputData&) = delete;

    virtual TOutputData CreateOutputData() const = 0;
    // The copy of the definition the value was entered for; none when none was given.
    const TInputBase* GetItem() const { return FItem.get(); }

protected:
    explicit TInputData(const TInputBase* item) : FItem(item ? item->Clone() : nullptr) {}
    // The copied item as the kind's own class, or none when it is missing or of another kind.
    template <typename T>
    const T* ItemAs() const {
        return dynamic_cast<const T*>(FItem.get());
    }

private:
    std::unique_ptr<TInputBase> FItem;
};

class TInputDataEdit : public TInputData {
public:
    TInputDataEdit(const TInputBase* item, const QString& text) : TInputData(item), Text(text) {}
    TOutputData CreateOutputData() const override;
    QString Text;
};

class TInputDataMemo : public TInputData {
public:
    TInputDataMemo(const TInputBase* item, const QString& text) : TInputData(item), Text(text) {}
    TOutputData CreateOutputData() const override;
    QString Text;  // lines separated by CR LF
};

class TInputDataDateTime : public TInputData {
public:
    TInputDataDateTime(const TInputBase* item, const QDateTime& picker, const QDateTime& picker2)
        : TInputData(item), PickerValue(picker), Picker2Value(picker2) {}
    TOutputData CreateOutputData() const override;
    QDateTime PickerValue;
    QDateTime Picker2Value;
};

class TInputDataComboBox : public TInputData {
public:
    TInputDataComboBox(const TInputBase* item, int32_t itemIndex)
        : TInputData(item), ItemIndex(itemIndex) {}
    TOutputData CreateOutputData() const override;
    int32_t ItemIndex;  // -1 when nothing is picked
};

class TInputDataImage : public TInputData {
public:
    TInputDataImage(const TInputBase* item, const QString& path, const QString& fileName)
        : TInputData(item), Path(path), FileName(fileName) {}
    // Shrinks and stores, or copies, the picture in a scratch folder of its own and carries
    // the file back as Base64. Throws TError when the picture cannot be read or stored.
    TOutputData CreateOutputData() const override;
    QString Path;
    QString FileName;
};

// Entered values by tag name, in UTF-16 code-unit order; the first value for a name stays.
class TInputDataMap {
public:
    using TMap = std::map<QString, std::unique_ptr<TInputData>>;

    // Returns false, discarding `data`, when the name is already present.
    bool Insert(const QString& name, std::unique_ptr<TInputData> data) {
        return FMap.try_emplace(name, std::move(data)).second;
    }
    qsizetype Count() const { return static_cast<qsizetype>(FMap.size()); }
    TMap::const_iterator begin() const { return FMap.begin(); }
    TMap::const_iterator end() const { return FMap.end(); }
    // Converts every value in key order.
    TOutputDataMap CreateOutputDataMap() const;

private:
    TMap FMap;
};

// Replaces CR LF, then a lone CR, then a lone LF, each by "<br />".
QString ConvertLineBreaksToBr(const QString& text);
