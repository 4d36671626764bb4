#include "UnitFormConfigGenera.h"

#include "TConfig.h"
#include "TGuarded.h"
#include "ui_UnitFormConfigGenera.h"

TFormConfigGenera::TFormConfigGenera(QWidget* owner)
    : QDialog(owner), ui(std::make_unique<Ui::TFormConfigGenera>()) {
    ui->setupUi(this);
    // A fixed-size dialog, never smaller than its contents need.
    setFixedSize(size().expandedTo(minimumSizeHint()));
    connect(ui->BitBtn1, &QPushButton::clicked, this,
            Guarded(this, &TFormConfigGenera::BitBtn1Click));
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

TFormConfigGenera::~TFormConfigGenera() = default;

void TFormConfigGenera::LoadConfig(TConfig* config) {
    FConfig = config;
    ui->CheckBoxIsOpenLastProject->setChecked(config->IsOpenLastProject);
    ui->CheckBoxIsSaveWindowState->setChecked(config->IsSaveWindowState);
}

void TFormConfigGenera::BitBtn1Click() {
    if (FConfig) {
        FConfig->IsOpenLastProject = ui->CheckBoxIsOpenLastProject->isChecked();
        FConfig->IsSaveWindowState = ui->CheckBoxIsSaveWindowState->isChecked();
    }
    accept();
}
