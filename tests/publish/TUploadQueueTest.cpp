// The upload queue against real FTP servers, with a scripted dialogue answering its questions.

#include "TError.h"
#include "TFtpTestServer.h"
#include "TTestSupport.h"
#include "TUploadQueue.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QTcpServer>
#include <deque>
#include <memory>

using testsupport::TFtpTestServer;
using TKind = TFtpTestServer::TKind;
using TAnswer = TUploadDialogue::TAnswer;
using namespace Qt::StringLiterals;

namespace {

constexpr int TimeoutMs = 5000;

// Answers from prepared lists and records everything it is told, in order.
class TScriptedDialogue : public TUploadDialogue {
public:
    std::deque<std::optional<QString>> FileNames;
    std::deque<TAnswer> OverwriteAnswers;
    std::deque<TAnswer> ErrorAnswers;
    QStringList Questions;  // every question and warning text
    QStringList LogLines;
    QStringList ShownPaths;
    std::vector<TFtpItem> Shown;
    bool Enabled = false;
    std::function<void(const QString&)> OnLog;
    std::function<void()> OnEvents;

    std::optional<QString> AskFileName(const QString& caption, const QString& prompt) override {
        Questions << caption + u'|' + prompt;
        return Next(FileNames, std::optional<QString>());
    }
    TAnswer AskOverwrite(const QString& text) override {
        Questions << text;
        return Next(OverwriteAnswers, TAnswer::Cancel);
    }
    TAnswer AskContinueAfterError(const QString& text) override {
        Questions << text;
        return Next(ErrorAnswers, TAnswer::Cancel);
    }
    void WarnConnection(const QString& text) override { Questions << text; }
    void ProcessEvents() override {
        if (OnEvents)
            OnEvents();
    }
    void ShowDirectory(const std::vector<TFtpItem>& items, const QString& path) override {
        Shown = items;
        ShownPaths << path;
    }
    void EnableCommands() override { Enabled = true; }
    void Log(const QString& line) override {
        LogLines << line;
        if (OnLog)
            OnLog(line);
    }

private:
    template <typename T>
    T Next(std::deque<T>& answers, T fallback) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << Questions.last().toStdString();
            return fallback;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

QStringList Uploaded(const QStringList& log) {
    return log.filter(u"をアップロードしました。"_s);
}

QString ErrorPrompt(const QString& message) {
    return u"エラーが発生しました。\n"_s + message + u"\n処理を続行しますか？"_s;
}

// Page bytes with CR LF and NUL bytes inside, different for each name.
QByteArray Content(const QString& name) {
    return "<html>\r\n" + name.toUtf8() + QByteArray("\0\r\n\x89PNG\r\n\x1a\n\xff", 13);
}

class TUploadQueueTest : public ::testing::TestWithParam<TKind> {
protected:
    void SetUp() override {
        if (!TFtpTestServer::IsInstalled(GetParam()))
            GTEST_SKIP() << "server not installed";
        FServer = std::make_unique<TFtpTestServer>(GetParam());
        FQueue.SetLogin(FServer->Login());
        FServer->PutFolder(u"img"_s);
    }
    QString Local(const QString& relative) const { return FServer->Home() + u'/' + relative; }
    QString Remote(const QString& relative) const {
        return QDir::cleanPath(FServer->RemoteHome() + u'/' + relative);
    }
    // A local file to send, holding Content(name).
    QString Source(const QString& name) {
        const QString path = FLocal.File(name);
        testsupport::WriteFile(path, Content(name));
        return path;
    }
    void Queue(const QString& remoteDir, const QString& name, const QString& remoteName) {
        FQueue.AddUploadFile(remoteDir, Source(name), remoteName);
    }
    QByteArray Stored(const QString& relative) const {
        return testsupport::ReadFile(Local(relative));
    }
    bool IsStored(const QString& relative) const { return QFile::exists(Local(relative)); }

    testsupport::TScratchDir FLocal;
    std::unique_ptr<TFtpTestServer> FServer;
    TScriptedDialogue FDialogue;
    TUploadQueue FQueue{FDialogue, TimeoutMs};
};

TEST_P(TUploadQueueTest, UploadsAPageAndThreePicturesByteForByte) {
    const QString home = FServer->RemoteHome();
    Queue(home, u"page-source.tmp"_s, {});
    for (const QString& picture : {u"a.jpg"_s, u"b.png"_s, u"画像.gif"_s}) {
        Queue(Remote(u"img"_s), picture, picture);
    }
    FDialogue.FileNames = {u"index.html"_s};
    bool runningSeen = false;
    FDialogue.OnEvents = [&] { runningSeen = runningSeen || FQueue.IsRunning(); };
    FQueue.ConnectOnIdle();

    EXPECT_EQ(FDialogue.Questions, QStringList{u"ファイル名|ファイル名を入力してください。"_s});
    EXPECT_EQ(Stored(u"index.html"_s), Content(u"page-source.tmp"_s));
    for (const QString& picture : {u"a.jpg"_s, u"b.png"_s, u"画像.gif"_s}) {
        EXPECT_EQ(Stored(u"img/"_s + picture), Content(picture));
    }
    EXPECT_EQ(
        Uploaded(FDialogue.LogLines),
        (QStringList{u"index.htmlをアップロードしました。"_s, u"a.jpgをアップロードしました。"_s,
                     u"b.pngをアップロードしました。"_s, u"画像.gifをアップロードしました。"_s}));
    EXPECT_TRUE(FDialogue.LogLines.contains(u"ログインしました。"_s));
    EXPECT_TRUE(FDialogue.Enabled);
    EXPECT_TRUE(runningSeen);
    EXPECT_FALSE(FQueue.IsRunning());
    // Each file's folder is listed before it is stored, and the session's folder at the end.
    EXPECT_EQ(FDialogue.ShownPaths, (QStringList{home, Remote(u"img"_s), Remote(u"img"_s),
                                                 Remote(u"img"_s), Remote(u"img"_s)}));
    ASSERT_EQ(FDialogue.Shown.size(), 3u);
    EXPECT_EQ(FDialogue.Shown[0].FileName, u"a.jpg");
}

TEST_P(TUploadQueueTest, ListsFoldersFirst) {
    FServer->PutFile(u"0-first-by-name.html"_s, "x");
    FQueue.AddUploadFile(FServer->RemoteHome(), Source(u"z.html"_s), u"z.html"_s);
    FQueue.ConnectOnIdle();
    QStringList names;
    for (const TFtpItem& item : FQueue.Items())
        names << item.FileName;
    EXPECT_EQ(names, (QStringList{u"img"_s, u"ro"_s, u"0-first-by-name.html"_s, u"z.html"_s}));
    EXPECT_EQ(DisplayItemTexts(FQueue.Items()[0])[2], u"<DIR>");
}

TEST_P(TUploadQueueTest, NamePromptEmptyUsesTheLocalNameAndCancelSkips) {
    const QString home = FServer->RemoteHome();
    Queue(home, u"skipped.tmp"_s, {});
    Queue(home, u"page.tmp"_s, {});
    FServer->PutFile(u"page.tmp"_s, "old");
    FDialogue.FileNames = {std::nullopt, QString()};
    FDialogue.OverwriteAnswers = {TAnswer::Yes};
    FQueue.ConnectOnIdle();
    EXPECT_FALSE(IsStored(u"skipped.tmp"_s));
    EXPECT_EQ(Stored(u"page.tmp"_s), Content(u"page.tmp"_s));
    EXPECT_EQ(FDialogue.Questions.last(), u"page.tmpは既に存在します。\n上書きしますか？");
    EXPECT_EQ(Uploaded(FDialogue.LogLines), QStringList{u"page.tmpをアップロードしました。"_s});
}

TEST_P(TUploadQueueTest, OverwriteYesNoAndCancel) {
    const QString home = FServer->RemoteHome();
    for (const char* name : {"yes.html", "no.html", "cancel.html", "case.html"}) {
        FServer->PutFile(QString::fromUtf8(name), "old");
    }
    Queue(home, u"src1"_s, u"yes.html"_s);
    Queue(home, u"src2"_s, u"no.html"_s);
    Queue(home, u"src3"_s, u"CASE.html"_s);  // differs only in letter case: no question
    Queue(home, u"src4"_s, u"cancel.html"_s);
    Queue(home, u"src5"_s, u"after-cancel.html"_s);
    FDialogue.OverwriteAnswers = {TAnswer::Yes, TAnswer::No, TAnswer::Cancel};
    FQueue.ConnectOnIdle();
    EXPECT_EQ(FDialogue.Questions,
              (QStringList{u"yes.htmlは既に存在します。\n上書きしますか？"_s,
                           u"no.htmlは既に存在します。\n上書きしますか？"_s,
                           u"cancel.htmlは既に存在します。\n上書きしますか？"_s}));
    EXPECT_EQ(Stored(u"yes.html"_s), Content(u"src1"_s));
    EXPECT_EQ(Stored(u"no.html"_s), "old");
    EXPECT_EQ(Stored(u"CASE.html"_s), Content(u"src3"_s));
    EXPECT_EQ(Stored(u"cancel.html"_s), "old");
    EXPECT_FALSE(IsStored(u"after-cancel.html"_s));
    EXPECT_EQ(FDialogue.ShownPaths.last(), home);  // listed and open after the stop
}

// Three pictures of which the second cannot be stored; the error prompt decides the third.
TEST_P(TUploadQueueTest, StoreRefusedThenContinueOrStop) {
    for (const TAnswer answer : {TAnswer::Yes, TAnswer::No}) {
        SCOPED_TRACE(answer == TAnswer::Yes ? "Yes" : "No");
        TScriptedDialogue dialogue;
        TUploadQueue queue(dialogue, TimeoutMs);
        queue.SetLogin(FServer->Login());
        const QString suffix = answer == TAnswer::Yes ? u"-yes"_s : u"-no"_s;
        queue.AddUploadFile(Remote(u"img"_s), Source(u"1"_s + suffix), u"1"_s + suffix);
        queue.AddUploadFile(Remote(TFtpTestServer::ReadOnlyFolder()), Source(u"2"_s), u"2"_s);
        queue.AddUploadFile(Remote(u"img"_s), Source(u"3"_s + suffix), u"3"_s + suffix);
        dialogue.ErrorAnswers = {answer};
        queue.ConnectOnIdle();
        ASSERT_EQ(dialogue.Questions.size(), 1);
        EXPECT_TRUE(dialogue.Questions[0].startsWith(u"エラーが発生しました。\n"));
        EXPECT_TRUE(dialogue.Questions[0].contains(u"\n55"));
        EXPECT_TRUE(dialogue.Questions[0].endsWith(u"\n処理を続行しますか？"));
        EXPECT_TRUE(IsStored(u"img/1"_s + suffix));
        EXPECT_FALSE(IsStored(TFtpTestServer::ReadOnlyFolder() + u"/2"_s));
        EXPECT_EQ(IsStored(u"img/3"_s + suffix), answer == TAnswer::Yes);
    }
}

// A bare folder name is taken relative to wherever the previous file went.
TEST_P(TUploadQueueTest, RelativeFolderResolvesAgainstThePreviousFile) {
    Queue(FServer->RemoteHome(), u"page.html"_s, u"page.html"_s);
    Queue(u"img"_s, u"p1.jpg"_s, u"p1.jpg"_s);
    Queue(u"img"_s, u"p2.jpg"_s, u"p2.jpg"_s);
    FDialogue.ErrorAnswers = {TAnswer::No};
    FQueue.ConnectOnIdle();
    EXPECT_TRUE(IsStored(u"page.html"_s));
    EXPECT_EQ(Stored(u"img/p1.jpg"_s), Content(u"p1.jpg"_s));
    EXPECT_FALSE(IsStored(u"img/p2.jpg"_s));
    ASSERT_EQ(FDialogue.Questions.size(), 1);
    EXPECT_TRUE(FDialogue.Questions[0].startsWith(
        ErrorPrompt(u"フォルダを変更できませんでした。\n550"_s).section(u'\n', 0, 2)));
}

TEST_P(TUploadQueueTest, ServerKilledMidQueueEndsInErrorPrompts) {
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg"}) {
        Queue(FServer->RemoteHome(), QString::fromUtf8(name), QString::fromUtf8(name));
    }
    FDialogue.OnLog = [&](const QString& line) {
        if (line == u"1.jpgをアップロードしました。")
            FServer->Kill();
    };
    FDialogue.ErrorAnswers = {TAnswer::Yes, TAnswer::No};
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(FQueue.ConnectOnIdle(), TError);  // the final listing is not caught
    EXPECT_LT(clock.elapsed(), 4 * TimeoutMs);
    EXPECT_EQ(Uploaded(FDialogue.LogLines), QStringList{u"1.jpgをアップロードしました。"_s});
    ASSERT_EQ(FDialogue.Questions.size(), 2);
    EXPECT_TRUE(FDialogue.Questions[1].startsWith(u"エラーが発生しました。\n"));
    EXPECT_FALSE(IsStored(u"4.jpg"_s));
}

TEST_P(TUploadQueueTest, RefusedLoginIsAConnectionWarning) {
    Queue(FServer->RemoteHome(), u"a.html"_s, u"a.html"_s);
    FQueue.SetLogin(FServer->BadLogin());
    FQueue.ConnectOnIdle();
    ASSERT_EQ(FDialogue.Questions.size(), 1);
    EXPECT_TRUE(
        FDialogue.Questions[0].startsWith(u"接続できませんでした。\nログインできませんでした。"))
        << FDialogue.Questions[0].toStdString();
    EXPECT_FALSE(FDialogue.Enabled);
    EXPECT_TRUE(FDialogue.ShownPaths.isEmpty());
    EXPECT_FALSE(IsStored(u"a.html"_s));
}

INSTANTIATE_TEST_SUITE_P(Servers, TUploadQueueTest,
                         ::testing::Values(TKind::Pyftpdlib, TKind::Vsftpd), [](const auto& info) {
                             return TFtpTestServer::KindName(info.param).toStdString();
                         });

TEST(TUploadQueueClosedPortTest, WarnsAndDoesNothingMore) {
    testsupport::EnsureCoreApplication();
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    TScriptedDialogue dialogue;
    TUploadQueue queue(dialogue, TimeoutMs);
    queue.SetLogin({u"127.0.0.1"_s, u"user"_s, u"pass"_s, port});
    queue.AddUploadFile(u"/"_s, u"/nonexistent"_s, {});
    queue.ConnectOnIdle();
    ASSERT_EQ(dialogue.Questions.size(), 1);
    EXPECT_TRUE(dialogue.Questions[0].startsWith(u"接続できませんでした。\n"));
    EXPECT_FALSE(dialogue.Enabled);
    EXPECT_TRUE(dialogue.ShownPaths.isEmpty());
    EXPECT_FALSE(queue.IsRunning());
}

}  // namespace
