#include "TMainWindowFixture.h"

#include <QCoreApplication>

#include "TConfig.h"
#include "THtmlTemplate.h"
#include "TMemIniFile.h"
#include "TProject.h"

namespace testsupport {

TMainWindowFixture::TMainWindowFixture() = default;

TMainWindowFixture::~TMainWindowFixture() {
    EndWindow();
}

TFormMain& TMainWindowFixture::StartWindow() {
    FWindow = std::make_unique<TFormMain>();
    RunPendingEvents();
    return *FWindow;
}

void TMainWindowFixture::EndWindow() {
    FWindow.reset();
    RunPendingEvents();
}

QAction* TMainWindowFixture::Action(const char* name) {
    auto* action = FWindow->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << "no action " << name;
    return action;
}

void TMainWindowFixture::TriggerThroughEventLoop(const char* name) {
    QMetaObject::invokeMethod(Action(name), &QAction::trigger, Qt::QueuedConnection);
    RunPendingEvents();
}

void TMainWindowFixture::RunPendingEvents() {
    // Deferred deletes and zero-time timers need a pass each; a few passes settle them all.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

QString TMainWindowFixture::MakeProject(const QString& fileName, const QString& templateName) {
    TProject project;
    project.HtmlTemplates.Add(std::make_unique<THtmlTemplate>(
        templateName, THtmlTemplate::CharCodeUtf8, QStringLiteral("<p><#p name=a></p>\r\n")));
    const QString path = Scratch.File(fileName);
    project.SaveToFile(path);
    return path;
}

QString TMainWindowFixture::FirstTemplateName(const QString& path) {
    TProject project;
    project.LoadFromFile(path);
    return project.HtmlTemplates.GetCount() > 0 ? project.GetHtmlTemplate(0)->Name : QString();
}

QString TMainWindowFixture::SettingsFile() const {
    return TOrvaneConfig().GetFileName();
}

void TMainWindowFixture::WriteSettings(const QStringList& history, bool openLastProject,
                                       bool saveWindowState, const QRect& bounds) {
    TOrvaneConfig config;
    config.History->AddStrings(history);
    config.IsOpenLastProject = openLastProject;
    config.IsSaveWindowState = saveWindowState;
    config.X = bounds.x();
    config.Y = bounds.y();
    config.Width = bounds.width();
    config.Height = bounds.height();
    ASSERT_TRUE(config.Save());
}

std::unique_ptr<TOrvaneConfig> TMainWindowFixture::ReadSettings() const {
    auto config = std::make_unique<TOrvaneConfig>();
    config->Load();
    return config;
}

QStringList TMainWindowFixture::History() const {
    const TConfig::THistoryList& history = *FWindow->Settings().History;
    QStringList paths;
    for (int i = 0; i < history.GetCount(); ++i)
        paths << history.Get(i);
    return paths;
}

}  // namespace testsupport
