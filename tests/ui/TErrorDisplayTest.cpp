// The standard error display: whatever a command throws and nobody catches reaches one error
// box with the application title, the "." rule applied, and the window stays usable.

#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <functional>
#include <stdexcept>

#include "TApplication.h"
#include "TError.h"
#include "TGuarded.h"
#include "TMainWindowFixture.h"
#include "TProject.h"

namespace {

using testsupport::TMainWindowFixture;
using TAnswer = TMessageBox::TAnswer;

TEST(TErrorDisplayTextTest, AddsAFullStopAfterCharactersAboveIt) {
    struct TCase {
        QString Message;
        QString Shown;
    };
    const TCase cases[] = {
        {QStringLiteral("abc"), QStringLiteral("abc.")},
        {QStringLiteral("abc."), QStringLiteral("abc.")},
        {QStringLiteral("abc!"), QStringLiteral("abc!")},
        {QStringLiteral("a-"), QStringLiteral("a-")},
        {QStringLiteral("a/"), QStringLiteral("a/.")},
        {QStringLiteral("保存できません。"), QStringLiteral("保存できません。.")},
        {QString(), QString()},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message.toStdString());
        EXPECT_EQ(TApplication::ErrorDisplayText(c.Message), c.Shown);
    }
}

TEST(TErrorDisplayTest, EveryKindOfUncaughtErrorReachesTheErrorBox) {
    struct TCase {
        const char* Name;
        std::function<void()> Throw;
        QString Shown;
    };
    const TCase cases[] = {
        {"TError", [] { throw TError(QStringLiteral("書き込めません。")); },
         QStringLiteral("書き込めません。.")},
        {"std::exception", [] { throw std::runtime_error("disk full"); },
         QStringLiteral("disk full.")},
        {"anything else", [] { throw 42; }, QString()},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        testsupport::TDialogScript script;
        script.AnswerMessage(TAnswer::Ok);
        QMetaObject::invokeMethod(qApp, c.Throw, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        ASSERT_EQ(script.Messages.size(), 1u);
        EXPECT_EQ(script.Messages[0].Kind, TMessageBox::TKind::Error);
        EXPECT_EQ(script.Messages[0].Caption, QStringLiteral("Quillory Orvane"));
        EXPECT_EQ(script.Messages[0].Text, c.Shown);
    }
}

using TCommandErrorTest = TMainWindowFixture;

TEST_F(TCommandErrorTest, ACommandThatFailsShowsTheErrorAndTheWindowGoesOn) {
    StartWindow();
    // The folder of the chosen name is a file: the project file cannot be written.
    const QString blocker = Scratch.File(QStringLiteral("file"));
    testsupport::WriteFile(blocker, "x");
    const QString unwritable = blocker + QStringLiteral("/a.pt");
    Script.AnswerFile(unwritable);
    Script.AnswerMessage(TAnswer::Ok);
    TriggerThroughEventLoop("ActionFileSaveAs");

    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Kind, TMessageBox::TKind::Error);
    EXPECT_TRUE(Script.Messages[0].Text.contains(unwritable));
    EXPECT_TRUE(Script.Messages[0].Text.endsWith(u'.'));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // the busy cursor is gone

    // Usable afterwards: the next command works.
    const QString good = Scratch.File(QStringLiteral("good.pt"));
    Script.AnswerFile(good);
    TriggerThroughEventLoop("ActionFileSave");
    EXPECT_TRUE(QFileInfo::exists(good));
    EXPECT_EQ(Script.Messages.size(), 1u);
}

}  // namespace

TEST(TGuardedTest, AnErrorInAConnectedHandlerEndsAtTheErrorBoxBeforeQtSeesIt) {
    QAction action;
    int afterwards = 0;
    QObject::connect(&action, &QAction::triggered, &action,
                     Guarded([] { throw TError(QStringLiteral("保存できません。")); }));
    QObject::connect(&action, &QAction::triggered, &action, [&afterwards] { ++afterwards; });
    testsupport::TDialogScript script;
    script.AnswerMessage(TAnswer::Ok);

    action.trigger();  // called directly: nothing but the guard stands between throw and caller

    EXPECT_EQ(script.MessageTexts(), QStringList{QStringLiteral("保存できません。.")});
    EXPECT_EQ(afterwards, 1);  // the signal went on to its next receiver
}
