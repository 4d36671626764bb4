#pragma once
// The option pages the one-line and the multi-line item dialogs share: "データ変換" with the
// value used when nothing is entered and the HTML switch, "検証" with the maximum length and
// the required switch. Each dialog adds its own check box to one of the pages.

#include <QTabWidget>
#include <cstdint>
#include <memory>

namespace Ui {
class TFrameInputItemText;
}
class QCheckBox;

class TFrameInputItemText : public QTabWidget {
    Q_OBJECT

public:
    enum class TPage { Convert, Check };

    explicit TFrameInputItemText(QWidget* parent = nullptr);
    ~TFrameInputItemText() override;

    // A check box of the dialog's own, below the page's other controls.
    QCheckBox* AddCheckBox(TPage page, const QString& objectName, const QString& text);
    // Writes the maximum length back as the decimal form of its value, 0 when it is none.
    void NormaliseMaxLength();

    template <typename TItem>
    void Load(const TItem& item) {
        LoadFields(item.BlankValue, item.AllowHtmlTag, item.MaxLength, item.Required);
    }
    template <typename TItem>
    void Store(TItem& item) const {
        item.BlankValue = BlankValue();
        item.AllowHtmlTag = AllowHtmlTag();
        item.MaxLength = MaxLength();
        item.Required = Required();
    }

private:
    void LoadFields(const QString& blankValue, bool allowHtmlTag, int32_t maxLength, bool required);
    QString BlankValue() const;
    bool AllowHtmlTag() const;
    int32_t MaxLength() const;
    bool Required() const;

    std::unique_ptr<Ui::TFrameInputItemText> FUi;
};
