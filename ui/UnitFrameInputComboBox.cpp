#include "UnitFrameInputComboBox.h"

#include "TInputComboBox.h"
#include "TInputData.h"
#include "ui_UnitFrameInputComboBox.h"

TFrameInputComboBox::TFrameInputComboBox(QObject* owner, const TInputBase& item)
    : TFrameInputItem(owner, item), ui(std::make_unique<Ui::TFrameInputComboBox>()) {
    ui->setupUi(this);
    ui->ComboBox->setAccessibleName(item.GetCaption());
    Finish(ui->GroupBox, ui->BtnConfig);
}

TFrameInputComboBox::~TFrameInputComboBox() = default;

std::unique_ptr<TInputData> TFrameInputComboBox::CreateInputData() {
    return std::make_unique<TInputDataComboBox>(GetInputItem(), ui->ComboBox->currentIndex());
}

void TFrameInputComboBox::ApplyInputItem() {
    const auto& choices = ItemAs<TInputComboBox>().GetItems();
    ui->ComboBox->clear();
    for (int i = 0; i < choices.GetCount(); ++i)
        ui->ComboBox->addItem(choices.Get(i)->Caption);
    ui->ComboBox->setCurrentIndex(choices.GetCount() > 0 ? 0 : -1);
}
