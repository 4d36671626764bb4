#include "UnitFormInputItemComboboxItem.h"

#include "THelpTopic.h"
#include "ui_UnitFormInputItemComboboxItem.h"

namespace {
// The client area at 96 dpi; a larger font may need more, never less.
constexpr QSize ClientSize(428, 170);
}  // namespace

TFormInputItemComboboxItem::TFormInputItemComboboxItem(QWidget* parent)
    : QDialog(parent), FUi(std::make_unique<Ui::TFormInputItemComboboxItem>()) {
    FUi->setupUi(this);
    THelpTopic::Connect(FUi->BtnHelp, THelpTopic::InputItemComboboxItem);
    setFixedSize(ClientSize.expandedTo(minimumSizeHint()));
}

TFormInputItemComboboxItem::~TFormInputItemComboboxItem() = default;

void TFormInputItemComboboxItem::LoadChoice(const TInputComboBoxItem& choice) {
    FUi->EditCaption->setText(choice.Caption);
    FUi->EditValue->setText(choice.Value);
}

TInputComboBoxItem TFormInputItemComboboxItem::CreateChoice() const {
    return {FUi->EditCaption->text(), FUi->EditValue->text()};
}
