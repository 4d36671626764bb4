#include "UnitFormMain.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeView>
#include <utility>

#include "TApplication.h"
#include "TConfig.h"
#include "TCursorHourGlass.h"
#include "TDialogRunner.h"
#include "TFileDialog.h"
#include "TFormUtils.h"
#include "TGuarded.h"
#include "THelpViewer.h"
#include "TMessageBox.h"
#include "TProject.h"
#include "UnitFormConfigGenera.h"
#include "ui_UnitFormMain.h"

namespace {

const QString ProjectFilter =
    QStringLiteral("ページテンプレート設定ファイル(*.PT)|*.PT|すべてのファイル|*.*");

}  // namespace

TFormMain::TFormMain(QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::TFormMain>()),
      FProject(std::make_unique<TProject>()),
      FSettings(std::make_unique<TOrvaneConfig>()) {
    ui->setupUi(this);
    ConnectCommands();
    PlaceOnScreen();
    FSettings->Load();
    CreateDesignTabs();
    CreateInputPane();
    ActionFileNewExecute();
    // The first idle moment: a zero-time timer fires once the event loop runs.
    QTimer::singleShot(0, this, &TFormMain::OnIdle);
}

TFormMain::~TFormMain() {
    SaveAppSettings();
}

void TFormMain::ConnectCommands() {
    connect(ui->ActionFileNew, &QAction::triggered, this,
            Guarded(this, &TFormMain::ActionFileNewExecute));
    connect(ui->ActionFileOpen, &QAction::triggered, this,
            Guarded(this, &TFormMain::ActionFileOpenExecute));
    connect(ui->ActionFileSave, &QAction::triggered, this,
            Guarded(this, &TFormMain::ActionFileSaveExecute));
    connect(ui->ActionFileSaveAs, &QAction::triggered, this,
            Guarded(this, &TFormMain::ActionFileSaveAsExecute));
    connect(ui->ActionFileClose, &QAction::triggered, this,
            Guarded(this, &TFormMain::ActionFileCloseExecute));
    connect(ui->ActionConfigGeneral, &QAction::triggered, this,
            Guarded(this, &TFormMain::ActionConfigGeneralExecute));
    connect(ui->ActionHelpHelp, &QAction::triggered, this,
            Guarded(this, &TFormMain::ActionHelpHelpExecute));
    connect(ui->ActionInputPreviewHtml, &QAction::triggered, this,
            Guarded(this, &TFormMain::ActionInputPreviewHtmlExecute));
    connect(ui->BtnPreview, &QPushButton::clicked, ui->ActionInputPreviewHtml, &QAction::trigger);
    connect(ui->MenuFile, &QMenu::aboutToShow, this, Guarded(this, &TFormMain::MainMenuFileClick));
    connect(ui->PageControlMain, &QTabWidget::currentChanged, this,
            Guarded(this, &TFormMain::PageControlMainChange));
}

void TFormMain::PlaceOnScreen() {
    resize(size().expandedTo(minimumSizeHint()));
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormMain::OnIdle() {
    if (FSettings->IsSaveWindowState)
        RestoreBounds();
    if (!FStartupProject.isEmpty()) {
        OpenProjectFile(std::exchange(FStartupProject, QString()));
        return;
    }
    if (!FSettings->IsOpenLastProject)
        return;
    // The start-up reopening leaves the history alone and skips a missing file silently.
    const QString path = GetLastProject(*FSettings->History);
    if (!path.isEmpty())
        LoadProject(path);
}

void TFormMain::RestoreBounds() {
    const QRect bounds(FSettings->X, FSettings->Y, FSettings->Width, FSettings->Height);
    // Bounds without size, or on a screen that is no longer there, would lose the window: it
    // then stays centred with its design size.
    if (bounds.isEmpty() || !QGuiApplication::screenAt(bounds.center()))
        return;
    setGeometry(bounds);
}

void TFormMain::SetProjectFileName(const QString& path) {
    FFileName = path;
    setWindowTitle(path.isEmpty() ? TApplication::Title()
                                  : TApplication::Title() + QStringLiteral(" - ") + path);
    RefreshInputList();
    RefreshTemplateList();
    LoadFtpControls();
    {
        // A switch made here is not the user's: the input pane is not rebuilt.
        const QSignalBlocker blocker(ui->PageControlMain);
        ui->PageControlMain->setCurrentIndex(0);
    }
    ui->PageControlConfig->setCurrentIndex(0);
    if (auto* list = findChild<QTreeView*>(QStringLiteral("ListViewInput")))
        TFormUtils::AutoSizeColumns(list);
}

void TFormMain::LoadProject(const QString& path) {
    auto project = std::make_unique<TProject>();
    project->LoadFromFile(path);
    FProject = std::move(project);
    SetProjectFileName(path);
}

void TFormMain::OpenProjectFile(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists() || file.isDir()) {
        TMessageBox::Warning(this, QStringLiteral("ファイルが見つかりません。"));
        return;
    }
    const TCursorHourGlass busy;
    LoadProject(path);
    FSettings->History->Add(path);
}

void TFormMain::ActionFileNewExecute() {
    const TCursorHourGlass busy;
    FProject = std::make_unique<TProject>();
    SetProjectFileName(QString());
}

void TFormMain::ActionFileOpenExecute() {
    const std::optional<QString> path =
        TFileDialog::GetOpenFileName(this, ProjectFilter, QStringLiteral(".PT"));
    if (path)
        OpenProjectFile(*path);
}

void TFormMain::ActionFileSaveExecute() {
    if (FFileName.isEmpty()) {
        ActionFileSaveAsExecute();
        return;
    }
    const TCursorHourGlass busy;
    StoreFtpControls();
    FProject->SaveToFile(FFileName);
}

void TFormMain::ActionFileSaveAsExecute() {
    // Saving under another name writes a copy: the window stays bound to its own file.
    const std::optional<QString> path =
        TFileDialog::GetSaveFileName(this, ProjectFilter, QStringLiteral(".pt"));
    if (!path)
        return;
    const TCursorHourGlass busy;
    StoreFtpControls();
    FProject->SaveToFile(*path);
}

void TFormMain::ActionFileReOpenExecute(const QString& path) {
    OpenProjectFile(path);
}

void TFormMain::ActionFileCloseExecute() {
    close();
}

void TFormMain::ActionConfigGeneralExecute() {
    TFormConfigGenera dialog(this);
    dialog.LoadConfig(FSettings.get());
    TDialogRunner::ShowModal(dialog);
}

void TFormMain::ActionHelpHelpExecute() {
    THelpViewer::ShowContents();
}

void TFormMain::MainMenuFileClick() {
    const TCursorHourGlass busy;
    ui->MenuFileReOpen->clear();
    for (int i = 0; i < FSettings->History->GetCount(); ++i) {
        const QString path = FSettings->History->Get(i);
        // A path is shown as it is: "&" would otherwise turn into an accelerator.
        QString caption = path;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        connect(ui->MenuFileReOpen->addAction(caption), &QAction::triggered, this,
                Guarded([this, path] { ActionFileReOpenExecute(path); }));
    }
}

void TFormMain::PageControlMainChange(int index) {
    if (index == ui->PageControlMain->indexOf(ui->TabSheetInput))
        BuildInputPane();
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (isMaximized() || isMinimized())
        showNormal();
    QMainWindow::closeEvent(event);
}

void TFormMain::SaveAppSettings() {
    // The normal bounds also while maximised: they are what the next start restores.
    const QRect bounds = normalGeometry().isValid() ? normalGeometry() : geometry();
    FSettings->X = bounds.x();
    FSettings->Y = bounds.y();
    FSettings->Width = bounds.width();
    FSettings->Height = bounds.height();
    FSettings->Save();
}
