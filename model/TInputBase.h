#pragma once
// An input item definition: the tag name templates refer to, the caption the user sees, the
// kind, and (in the derived kinds) the options of that kind. While the input tab shows a
// frame for the item, the item decides when it goes; the frame's parent owns its memory.

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <memory>

#include "TFrameInputBase.h"

class TMemIniFile;
class TInputData;

class TInputBase {
public:
    static constexpr int32_t KindEdit = 0;
    static constexpr int32_t KindMemo = 1;
    static constexpr int32_t KindDateTime = 2;
    static constexpr int32_t KindComboBox = 3;
    static constexpr int32_t KindImage = 4;

    virtual ~TInputBase();
    TInputBase& operator=(const TInputBase&) = delete;

    virtual void SaveToIni(TMemIniFile& ini, const QString& section) const;
    virtual void LoadFromIni(const TMemIniFile& ini, const QString& section);
    // The frame's entered value, or none without a frame.
    virtual std::unique_ptr<TInputData> CreateInputData() const;
    // Checks the entry in the frame and throws TError with the message; without a frame it
    // does nothing.
    virtual void CheckInput() const;
    // Releases any previous frame, then builds the kind's frame as a child of `owner` (the
    // frame keeps its own copy of this item), names it and links it.
    virtual TFrameInputBase* CreateFrame(QObject* owner, const QString& name);
    virtual std::unique_ptr<TInputBase> Clone() const = 0;
    // Destroys the linked frame, if it still exists.
    virtual void ReleaseFrame();
    // The linked frame; none once it was released or destroyed with its parent.
    virtual TFrameInputBase* GetFrameInterface() const { return FFrameObject ? FFrame : nullptr; }

    const QString& GetName() const { return FName; }
    void SetName(const QString& name) { FName = name; }
    const QString& GetCaption() const { return FCaption; }
    void SetCaption(const QString& caption) { FCaption = caption; }
    int32_t GetInputType() const { return FInputType; }

protected:
    explicit TInputBase(int32_t inputType) : FInputType(inputType) {}
    // Copies every field but the frame, which is never shared.
    TInputBase(const TInputBase& other);

private:
    // The guard clears itself when the frame's parent destroys the frame first.
    QPointer<QObject> FFrameObject;
    TFrameInputBase* FFrame = nullptr;
    QString FName;
    QString FCaption;
    int32_t FInputType;
};

// The display name of the item's kind ("一行入力欄" ...), "" for an unknown code.
QString GetInputTypeName(const TInputBase& item);
QString GetInputTypeName(int32_t inputType);
// A new item of the kind the section names, loaded from it; none for an unknown kind.
std::unique_ptr<TInputBase> CreateInputItemFromIni(const TMemIniFile& ini, const QString& section);
