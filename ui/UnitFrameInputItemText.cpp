#include "UnitFrameInputItemText.h"

#include <QCheckBox>

#include "TFormUtils.h"
#include "ui_UnitFrameInputItemText.h"

TFrameInputItemText::TFrameInputItemText(QWidget* parent)
    : QTabWidget(parent), FUi(std::make_unique<Ui::TFrameInputItemText>()) {
    FUi->setupUi(this);
    TFormUtils::SetDigitsOnly(FUi->EditMaxLength);
}

TFrameInputItemText::~TFrameInputItemText() = default;

QCheckBox* TFrameInputItemText::AddCheckBox(TPage page, const QString& objectName,
                                            const QString& text) {
    QVBoxLayout* layout = page == TPage::Convert ? FUi->LayoutConvert : FUi->LayoutCheck;
    auto* box = new QCheckBox(text, layout->parentWidget());
    box->setObjectName(objectName);
    // Above the spacer that closes the page.
    layout->insertWidget(layout->count() - 1, box);
    return box;
}

void TFrameInputItemText::NormaliseMaxLength() {
    FUi->EditMaxLength->setText(QString::number(MaxLength()));
}

void TFrameInputItemText::LoadFields(const QString& blankValue, bool allowHtmlTag,
                                     int32_t maxLength, bool required) {
    FUi->EditBlankValue->setText(blankValue);
    FUi->CheckBoxAllowHtmlTag->setChecked(allowHtmlTag);
    FUi->EditMaxLength->setText(QString::number(maxLength));
    FUi->CheckBoxRequired->setChecked(required);
}

QString TFrameInputItemText::BlankValue() const {
    return FUi->EditBlankValue->text();
}

bool TFrameInputItemText::AllowHtmlTag() const {
    return FUi->CheckBoxAllowHtmlTag->isChecked();
}

int32_t TFrameInputItemText::MaxLength() const {
    return TFormUtils::DecimalValue(FUi->EditMaxLength->text()).value_or(0);
}

bool TFrameInputItemText::Required() const {
    return FUi->CheckBoxRequired->isChecked();
}
