#include "UnitFrameDesignOutput.h"

#include "TDialogRunner.h"
#include "TFormUtils.h"
#include "TGuarded.h"
#include "TProject.h"
#include "UnitFormFtpDir.h"
#include "ui_UnitFrameDesignOutput.h"

namespace {
constexpr int32_t DefaultPort = 21;
}  // namespace

TFrameDesignOutput::TFrameDesignOutput(QWidget* parent, TProjectSource project)
    : QWidget(parent),
      FUi(std::make_unique<Ui::TFrameDesignOutput>()),
      FProject(std::move(project)) {
    FUi->setupUi(this);
    TFormUtils::SetDigitsOnly(FUi->EditFtpPort);
    // Typed characters show as "*" whatever the style's own mask is.
    FUi->EditFtpPassword->setStyleSheet(
        QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    TFormUtils::BindButton(FUi->BtnOutputFtpConnect, FUi->ActionOutputFtpConnect);
    connect(FUi->ActionOutputFtpConnect, &QAction::triggered, this,
            Guarded(this, &TFrameDesignOutput::ActionOutputFtpConnectExecute));
    connect(FUi->CheckBoxFtpUse, &QCheckBox::clicked, this,
            Guarded(this, &TFrameDesignOutput::CheckBoxFtpUseClick));
    connect(FUi->ButtonFtpSection, &QToolButton::toggled, this,
            Guarded(this, &TFrameDesignOutput::ShowFtpSection));
}

TFrameDesignOutput::~TFrameDesignOutput() = default;

void TFrameDesignOutput::LoadFtpControls() {
    const TFtpConfig& ftp = FProject().FtpConfig;
    FUi->CheckBoxFtpUse->setChecked(ftp.IsUse);
    FUi->EditFtpHost->setText(ftp.Host);
    FUi->EditFtpUser->setText(ftp.User);
    FUi->EditFtpPassword->setText(ftp.Password);
    FUi->EditFtpDirHtml->setText(ftp.DirHtml);
    FUi->EditFtpDirImage->setText(ftp.DirImage);
    FUi->EditFtpPort->setText(QString::number(ftp.Port));
    FUi->CheckBoxFtpPassive->setChecked(ftp.Passive);
    CheckBoxFtpUseClick();
}

void TFrameDesignOutput::StoreFtpControls() {
    TFtpConfig& ftp = FProject().FtpConfig;
    ftp.IsUse = FUi->CheckBoxFtpUse->isChecked();
    ftp.Host = FUi->EditFtpHost->text();
    ftp.User = FUi->EditFtpUser->text();
    ftp.Password = FUi->EditFtpPassword->text();
    ftp.DirHtml = FUi->EditFtpDirHtml->text();
    ftp.DirImage = FUi->EditFtpDirImage->text();
    ftp.Port = TFormUtils::DecimalValue(FUi->EditFtpPort->text()).value_or(DefaultPort);
    ftp.Passive = FUi->CheckBoxFtpPassive->isChecked();
}

void TFrameDesignOutput::CheckBoxFtpUseClick() {
    const bool use = FUi->CheckBoxFtpUse->isChecked();
    for (QWidget* box : std::initializer_list<QWidget*>{
             FUi->EditFtpHost, FUi->EditFtpUser, FUi->EditFtpPassword, FUi->CheckBoxFtpPassive,
             FUi->EditFtpDirHtml, FUi->EditFtpDirImage})
        box->setEnabled(use);
}

// The browser uses the server and login as last loaded or saved, but the folders as typed,
// and hands back the folders chosen in it; the project file keeps the old ones until saved.
void TFrameDesignOutput::ActionOutputFtpConnectExecute() {
    TFtpConfig& ftp = FProject().FtpConfig;
    ftp.DirHtml = FUi->EditFtpDirHtml->text();
    ftp.DirImage = FUi->EditFtpDirImage->text();
    {
        TFormFtpDir browser(window());
        browser.SetFtpConfig(ftp);
        TDialogRunner::ShowModal(browser);
    }
    FUi->EditFtpDirHtml->setText(ftp.DirHtml);
    FUi->EditFtpDirImage->setText(ftp.DirImage);
}

void TFrameDesignOutput::ShowFtpSection(bool shown) {
    FUi->PanelFtp->setVisible(shown);
    FUi->ButtonFtpSection->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
}
