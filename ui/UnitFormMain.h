#pragma once
// The program's main window: owns the open project and the application settings, runs the
// file commands, hosts the design tabs and the input tab, and writes the settings file when it
// is destroyed.

#include <QMainWindow>
#include <QString>
#include <memory>

class TFrameDesignInputItems;
class TFrameDesignOutput;
class TFrameDesignTemplates;
class TFrameInputItemList;
class TOrvaneConfig;
class TProject;
namespace Ui {
class TFormMain;
}

class TFormMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TFormMain(QWidget* parent = nullptr);
    ~TFormMain() override;

    TProject& Project() const { return *FProject; }
    TOrvaneConfig& Settings() const { return *FSettings; }
    // Full path of the project file the window is bound to; "" for an unnamed project.
    const QString& ProjectFileName() const { return FFileName; }

    // Binds the window to a file name (possibly "") and refreshes every view of the project.
    void SetProjectFileName(const QString& path);
    // Opens a project file as the Open command does: a missing file is reported, and an
    // opened one goes to the front of the history.
    void OpenProjectFile(const QString& path);
    // Writes the window bounds and the settings into the settings file; silent on failure.
    void SaveAppSettings();
    // A project named on the command line: the first idle moment opens it instead of
    // reopening the last one.
    void SetStartupProject(const QString& path) { FStartupProject = path; }

public Q_SLOTS:
    void ActionFileNewExecute();
    void ActionFileOpenExecute();
    void ActionFileSaveExecute();
    void ActionFileSaveAsExecute();
    void ActionFileReOpenExecute(const QString& path);
    void ActionFileCloseExecute();
    void ActionConfigGeneralExecute();
    void ActionHelpHelpExecute();
    void ActionInputPreviewHtmlExecute();
    void MainMenuFileClick();
    // Runs only when the user switches the main tabs, never for a switch made in code.
    void PageControlMainChange(int index);

protected:
    // FormClose: a maximised or minimised window is restored first, so that the bounds
    // stored afterwards are the normal ones.
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectCommands();
    void PlaceOnScreen();
    // One-shot first idle handler: restores the bounds and opens the start-up project.
    void OnIdle();
    void RestoreBounds();
    // Reads the file into a new project and makes it the open one. A file that cannot be
    // read leaves the open project, the file name and the title as they were.
    void LoadProject(const QString& path);

    // The design tabs fill these (UnitFormMainDesign.cpp): the constructor places their pages.
    void CreateDesignTabs();
    void RefreshInputList();
    void RefreshTemplateList();
    void LoadFtpControls();
    void StoreFtpControls();

    // The input tab fills these (UnitFormMainInput.cpp): the constructor creates the input
    // pane, and every entry into the input tab rebuilds it.
    void CreateInputPane();
    void BuildInputPane();

    std::unique_ptr<Ui::TFormMain> ui;
    std::unique_ptr<TProject> FProject;
    std::unique_ptr<TOrvaneConfig> FSettings;
    QString FFileName;
    // Owned by the window through its object tree; lives as long as the window.
    TFrameInputItemList* FInputPane = nullptr;
    QString FStartupProject;
    TFrameDesignInputItems* FDesignInputItems = nullptr;
    TFrameDesignTemplates* FDesignTemplates = nullptr;
    TFrameDesignOutput* FDesignOutput = nullptr;
};
