// The main window driven through its actions: the file commands with their rules, the title,
// the history and its reopen menu, the first idle moment, and the settings written at the end.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>

#include "TApplication.h"
#include "TConfig.h"
#include "TError.h"
#include "TMainWindowFixture.h"
#include "TProject.h"

namespace {

using testsupport::TMainWindowFixture;
using TAnswer = TMessageBox::TAnswer;

const QString Title = QStringLiteral("Quillory Orvane");
const QString NotFound = QStringLiteral("ファイルが見つかりません。");

class TFormMainTest : public TMainWindowFixture {
protected:
    QString TitleFor(const QString& path) const { return Title + QStringLiteral(" - ") + path; }

    void OpenByDialog(const std::optional<QString>& path) {
        Script.AnswerFile(path);
        Trigger("ActionFileOpen");
    }

    // Opens the File menu as a click on it does, and gives the reopen entries' actions.
    QList<QAction*> OpenFileMenu() {
        auto* menu = Window().findChild<QMenu*>(QStringLiteral("MenuFile"));
        Q_EMIT menu->aboutToShow();
        return Window().findChild<QMenu*>(QStringLiteral("MenuFileReOpen"))->actions();
    }

    QTabWidget* Tabs(const char* name) {
        return Window().findChild<QTabWidget*>(QString::fromLatin1(name));
    }
};

TEST_F(TFormMainTest, StartsUnnamedWithTheTitleAloneAndNoSettingsFile) {
    StartWindow();
    EXPECT_EQ(Window().windowTitle(), Title);
    EXPECT_TRUE(Window().ProjectFileName().isEmpty());
    EXPECT_EQ(Window().Project().HtmlTemplates.GetCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(SettingsFile()));
    EXPECT_TRUE(Script.Messages.empty());
}

TEST_F(TFormMainTest, TitleFollowsTheBoundFile) {
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    StartWindow();
    OpenByDialog(a);
    EXPECT_EQ(Window().windowTitle(), TitleFor(a));
    EXPECT_EQ(Window().ProjectFileName(), a);
    Trigger("ActionFileNew");
    EXPECT_EQ(Window().windowTitle(), Title);
    EXPECT_EQ(Window().Project().HtmlTemplates.GetCount(), 0);
}

TEST_F(TFormMainTest, StartUpReopensTheLastProjectOnlyWhenAskedAndPresent) {
    struct TCase {
        const char* Name;
        bool OpenLastProject;
        bool FilePresent;
        bool Reopened;
    };
    const TCase cases[] = {
        {"option set, file present", true, true, true},
        {"option set, file deleted", true, false, false},
        {"option not set", false, true, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString last = MakeProject(QStringLiteral("last.PT"), QStringLiteral("Last"));
        const QString older = MakeProject(QStringLiteral("older.PT"), QStringLiteral("Older"));
        if (!c.FilePresent)
            QFile::remove(last);
        WriteSettings({last, older}, c.OpenLastProject, false);

        StartWindow();
        EXPECT_EQ(Window().ProjectFileName(), c.Reopened ? last : QString());
        EXPECT_EQ(Window().windowTitle(), c.Reopened ? TitleFor(last) : Title);
        EXPECT_EQ(Window().Project().HtmlTemplates.GetCount(), c.Reopened ? 1 : 0);
        // The start-up reopening neither reports nor changes the history.
        EXPECT_TRUE(Script.Messages.empty());
        EXPECT_EQ(History(), QStringList({last, older}));
        EndWindow();
    }
}

TEST_F(TFormMainTest, NewProjectSaveAsksForANameEveryTimeAndStaysUnnamed) {
    StartWindow();
    const QString saved = Scratch.File(QStringLiteral("new.pt"));
    Script.AnswerFile(saved);
    Trigger("ActionFileSave");
    ASSERT_EQ(Script.FileDialogs.size(), 1u);
    EXPECT_EQ(Script.FileDialogs[0].Mode, TFileDialog::TMode::Save);
    EXPECT_EQ(Script.FileDialogs[0].Filter,
              QStringLiteral("ページテンプレート設定ファイル(*.PT)|*.PT|すべてのファイル|*.*"));
    EXPECT_EQ(Script.FileDialogs[0].DefaultExtension, QStringLiteral(".pt"));
    EXPECT_TRUE(QFileInfo::exists(saved));
    EXPECT_EQ(Window().windowTitle(), Title);

    Script.AnswerFile(std::nullopt);
    Trigger("ActionFileSave");
    EXPECT_EQ(Script.FileDialogs.size(), 2u);
    EXPECT_TRUE(History().isEmpty());
}

TEST_F(TFormMainTest, SaveAsWritesACopyAndLaterSavesGoToTheOpenedFile) {
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    const QString b = Scratch.File(QStringLiteral("b.PT"));
    StartWindow();
    OpenByDialog(a);

    Window().Project().GetHtmlTemplate(0)->Name = QStringLiteral("changed before Save As");
    Script.AnswerFile(b);
    Trigger("ActionFileSaveAs");
    Window().Project().GetHtmlTemplate(0)->Name = QStringLiteral("changed before Save");
    Trigger("ActionFileSave");

    EXPECT_EQ(FirstTemplateName(b), QStringLiteral("changed before Save As"));
    EXPECT_EQ(FirstTemplateName(a), QStringLiteral("changed before Save"));
    EXPECT_EQ(Window().windowTitle(), TitleFor(a));
    EXPECT_EQ(History(), QStringList({a}));
    EXPECT_EQ(Script.FileDialogs.size(), 2u);  // Open and Save As; Save asked nothing
}

TEST_F(TFormMainTest, OpenUsesTheProjectFilterAndCancelChangesNothing) {
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    StartWindow();
    OpenByDialog(a);
    OpenByDialog(std::nullopt);
    ASSERT_EQ(Script.FileDialogs.size(), 2u);
    EXPECT_EQ(Script.FileDialogs[1].Mode, TFileDialog::TMode::Open);
    EXPECT_EQ(Script.FileDialogs[1].Filter,
              QStringLiteral("ページテンプレート設定ファイル(*.PT)|*.PT|すべてのファイル|*.*"));
    EXPECT_EQ(Script.FileDialogs[1].DefaultExtension, QStringLiteral(".PT"));
    EXPECT_EQ(Window().ProjectFileName(), a);
    EXPECT_EQ(History(), QStringList({a}));
}

TEST_F(TFormMainTest, OpeningAMissingFileWarnsAndKeepsEverything) {
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    StartWindow();
    OpenByDialog(a);
    for (const QString& missing : {Scratch.File(QStringLiteral("gone.PT")), Scratch.Path()}) {
        SCOPED_TRACE(missing.toStdString());
        Script.AnswerMessage(TAnswer::Ok);
        OpenByDialog(missing);
        EXPECT_EQ(Script.MessageTexts().constLast(), NotFound);
        EXPECT_EQ(Script.Messages.back().Kind, TMessageBox::TKind::Warning);
        EXPECT_EQ(Window().ProjectFileName(), a);
        EXPECT_EQ(Window().Project().GetHtmlTemplate(0)->Name, QStringLiteral("A"));
        EXPECT_EQ(History(), QStringList({a}));
    }
}

TEST_F(TFormMainTest, AFileThatCannotBeReadLeavesTheOpenProjectAsItWas) {
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    // A socket is there but cannot be opened for reading, even by root.
    QLocalServer socket;
    const QString unreadable = Scratch.File(QStringLiteral("socket.PT"));
    ASSERT_TRUE(socket.listen(unreadable));
    StartWindow();
    OpenByDialog(a);

    Script.AnswerFile(unreadable);
    Script.AnswerMessage(TAnswer::Ok);
    TriggerThroughEventLoop("ActionFileOpen");

    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Kind, TMessageBox::TKind::Error);
    EXPECT_TRUE(Script.Messages[0].Text.contains(unreadable));
    EXPECT_EQ(Window().ProjectFileName(), a);
    EXPECT_EQ(Window().windowTitle(), TitleFor(a));
    EXPECT_EQ(Window().Project().GetHtmlTemplate(0)->Name, QStringLiteral("A"));
    EXPECT_EQ(History(), QStringList({a}));
}

TEST_F(TFormMainTest, HistoryHoldsEachFileOnceMostRecentFirstAndAtMostTen) {
    StartWindow();
    QStringList opened;
    for (int i = 0; i < 11; ++i) {
        opened.prepend(MakeProject(QStringLiteral("p%1.PT").arg(i), QStringLiteral("P")));
        OpenByDialog(opened.constFirst());
    }
    EXPECT_EQ(History(), opened.mid(0, 10));  // the eleventh file pushed out the first

    // The same file again, and the same name in another letter case: one entry, in front,
    // spelled as last opened.
    OpenByDialog(opened[5]);
    EXPECT_EQ(History().constFirst(), opened[5]);
    EXPECT_EQ(History().count(opened[5]), 1);
    const QString otherCase = MakeProject(QStringLiteral("P3.pt"), QStringLiteral("P"));
    OpenByDialog(otherCase);
    EXPECT_EQ(History().constFirst(), otherCase);
    EXPECT_FALSE(History().contains(Scratch.File(QStringLiteral("p3.PT"))));
    EXPECT_EQ(History().size(), 10);
}

TEST_F(TFormMainTest, ReopenMenuIsRebuiltFromTheHistoryAndOpensItsEntry) {
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    const QString b = MakeProject(QStringLiteral("R&D.PT"), QStringLiteral("B"));
    StartWindow();
    EXPECT_TRUE(OpenFileMenu().isEmpty());
    OpenByDialog(a);
    OpenByDialog(b);

    QList<QAction*> entries = OpenFileMenu();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), Scratch.File(QStringLiteral("R&&D.PT")));  // no accelerator
    EXPECT_EQ(entries[1]->text(), a);
    entries[1]->trigger();
    EXPECT_EQ(Window().ProjectFileName(), a);
    entries = OpenFileMenu();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), a);
    entries[1]->trigger();
    EXPECT_EQ(Window().ProjectFileName(), b);
}

TEST_F(TFormMainTest, ReopeningARemovedFileWarnsAndKeepsTheEntry) {
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    const QString b = MakeProject(QStringLiteral("b.PT"), QStringLiteral("B"));
    StartWindow();
    OpenByDialog(a);
    OpenByDialog(b);
    QFile::remove(a);

    Script.AnswerMessage(TAnswer::Ok);
    OpenFileMenu()[1]->trigger();
    EXPECT_EQ(Script.MessageTexts(), QStringList({NotFound}));
    EXPECT_EQ(Window().ProjectFileName(), b);
    QList<QAction*> entries = OpenFileMenu();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1]->text(), a);
}

TEST_F(TFormMainTest, BindingAFileShowsTheFirstDesignTab) {
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    StartWindow();
    Tabs("PageControlMain")->setCurrentIndex(1);
    Tabs("PageControlConfig")->setCurrentIndex(2);
    OpenByDialog(a);
    EXPECT_EQ(Tabs("PageControlMain")->currentIndex(), 0);
    EXPECT_EQ(Tabs("PageControlConfig")->currentIndex(), 0);
}

TEST_F(TFormMainTest, ProjectNamedOnTheCommandLineOpensAtStartInsteadOfTheLastOne) {
    const QString last = MakeProject(QStringLiteral("last.PT"), QStringLiteral("Last"));
    const QString named = MakeProject(QStringLiteral("named.PT"), QStringLiteral("Named"));
    WriteSettings({last}, true, false);
    const QString path = TApplication::StartupProjectPath(
        {QStringLiteral("orvane"), QDir(QDir::currentPath()).relativeFilePath(named)});
    EXPECT_EQ(path, named);

    auto window = std::make_unique<TFormMain>();
    window->SetStartupProject(path);
    RunPendingEvents();
    EXPECT_EQ(window->ProjectFileName(), named);
    EXPECT_EQ(window->windowTitle(), TitleFor(named));
    EXPECT_EQ(window->Settings().History->Get(0), named);

    // A named file that is not there is reported like Open reports it.
    window = std::make_unique<TFormMain>();
    Script.AnswerMessage(TAnswer::Ok);
    window->SetStartupProject(Scratch.File(QStringLiteral("gone.PT")));
    RunPendingEvents();
    EXPECT_EQ(Script.MessageTexts(), QStringList({NotFound}));
    EXPECT_TRUE(window->ProjectFileName().isEmpty());
}

TEST(TStartupProjectPathTest, TakesTheFirstFileAsAnAbsolutePath) {
    const QString here = QDir::currentPath();
    struct TCase {
        QStringList Arguments;
        QString Expected;
    };
    const TCase cases[] = {
        {{QStringLiteral("orvane")}, QString()},
        {{QStringLiteral("orvane"), QStringLiteral("/p/a.PT")}, QStringLiteral("/p/a.PT")},
        {{QStringLiteral("orvane"), QStringLiteral("b.pt")}, here + QStringLiteral("/b.pt")},
        {{QStringLiteral("orvane"), QStringLiteral("/p/a.PT"), QStringLiteral("/p/b.PT")},
         QStringLiteral("/p/a.PT")},
        {{QStringLiteral("orvane"), QStringLiteral("--unknown"), QStringLiteral("/p/a.PT")},
         QStringLiteral("/p/a.PT")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Arguments.join(u' ').toStdString());
        EXPECT_EQ(TApplication::StartupProjectPath(c.Arguments), c.Expected);
    }
}

TEST_F(TFormMainTest, ClosingMaximisedStoresTheNormalBoundsWhichTheNextStartRestores) {
    WriteSettings({}, false, true, QRect(0, 0, 0, 0));
    StartWindow();
    const QRect normal(40, 30, 560, 420);
    Window().setGeometry(normal);
    Window().show();
    Window().showMaximized();
    ASSERT_TRUE(Window().isMaximized());
    Trigger("ActionFileClose");
    EXPECT_FALSE(Window().isVisible());
    EndWindow();

    const auto settings = ReadSettings();
    EXPECT_EQ(QRect(settings->X, settings->Y, settings->Width, settings->Height), normal);
    StartWindow();
    EXPECT_EQ(Window().geometry(), normal);
}

TEST_F(TFormMainTest, BoundsAreRestoredOnlyWhenAskedAndOnlyOnAScreen) {
    const QRect design = StartWindow().geometry();
    EndWindow();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct TCase {
        const char* Name;
        bool SaveWindowState;
        QRect Stored;
        bool Restored;
    };
    const TCase cases[] = {
        {"asked", true, QRect(20, 20, 500, 400), true},
        {"not asked", false, QRect(20, 20, 500, 400), false},
        {"off every screen", true, QRect(screen.right() + 500, 20, 500, 400), false},
        {"no size", true, QRect(20, 20, 0, 0), false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteSettings({}, false, c.SaveWindowState, c.Stored);
        StartWindow();
        EXPECT_EQ(Window().geometry(), c.Restored ? c.Stored : design);
        EndWindow();
    }
}

TEST_F(TFormMainTest, SettingsFolderThatCannotBeMadeLosesTheSettingsSilently) {
    // The config folder is a file: the settings folder cannot be created below it.
    const QString blocker = Scratch.File(QStringLiteral("not-a-folder"));
    testsupport::WriteFile(blocker, "x");
    const testsupport::TScopedEnv env("XDG_CONFIG_HOME", blocker);
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    StartWindow();
    OpenByDialog(a);
    EndWindow();
    EXPECT_TRUE(Script.Messages.empty());
    EXPECT_EQ(testsupport::ReadFile(blocker), QByteArray("x"));
}

TEST_F(TFormMainTest, HistoryReachesTheSettingsFileWhenTheWindowIsDestroyed) {
    const QString a = MakeProject(QStringLiteral("a.PT"), QStringLiteral("A"));
    StartWindow();
    OpenByDialog(a);
    EXPECT_FALSE(QFileInfo::exists(SettingsFile()));
    EndWindow();
    const auto settings = ReadSettings();
    ASSERT_EQ(settings->History->GetCount(), 1);
    EXPECT_EQ(settings->History->Get(0), a);
}

}  // namespace
