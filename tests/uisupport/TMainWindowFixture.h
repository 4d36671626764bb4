#pragma once
// A main-window test: its own settings folder (XDG_CONFIG_HOME), a dialog script answering
// every box and dialog, real project files in a scratch folder, and helpers that drive the
// window through its actions.

#include <gtest/gtest.h>

#include <QAction>
#include <QStringList>
#include <memory>

#include "TDialogScript.h"
#include "TTestSupport.h"
#include "UnitFormMain.h"

class TOrvaneConfig;

namespace testsupport {

class TMainWindowFixture : public ::testing::Test {
protected:
    TMainWindowFixture();
    ~TMainWindowFixture() override;

    // Creates the window (reading the settings file) and runs its first idle moment.
    TFormMain& StartWindow();
    // Destroys the window, which writes the settings file.
    void EndWindow();
    TFormMain& Window() { return *FWindow; }

    // The action of that object name; fails the test when there is none.
    QAction* Action(const char* name);
    void Trigger(const char* name) { Action(name)->trigger(); }
    // Triggers through the event loop, as a click does: an error that escapes the command
    // reaches the application's error display.
    void TriggerThroughEventLoop(const char* name);
    static void RunPendingEvents();

    // Writes a project file holding one template of that name; returns its path.
    QString MakeProject(const QString& fileName, const QString& templateName);
    // The name of the first template of the project in that file ("" when none).
    static QString FirstTemplateName(const QString& path);
    QString SettingsFile() const;
    // Writes the settings file as a previous run of the program would have.
    void WriteSettings(const QStringList& history, bool openLastProject, bool saveWindowState,
                       const QRect& bounds = QRect());
    // The settings as the next run would read them.
    std::unique_ptr<TOrvaneConfig> ReadSettings() const;
    QStringList History() const;

    TScratchDir Scratch;
    TScratchDir ConfigHome;
    TScopedEnv ConfigEnv{"XDG_CONFIG_HOME", ConfigHome.Path()};
    TDialogScript Script;

private:
    std::unique_ptr<TFormMain> FWindow;
};

}  // namespace testsupport
