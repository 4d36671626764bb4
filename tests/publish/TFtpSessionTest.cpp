// The FTP session of the folder browser against real FTP servers: the upload queue and the
// browser's commands, with a scripted dialogue answering the questions.

#include "TCodePage.h"
#include "TError.h"
#include "TFtpSession.h"
#include "TFtpTestServer.h"
#include "TTestSupport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <deque>
#include <memory>

using testsupport::TFtpTestServer;
using TKind = TFtpTestServer::TKind;
using TAnswer = TFtpSessionDialogue::TAnswer;
using namespace Qt::StringLiterals;

namespace {

constexpr int TimeoutMs = 5000;

// Answers from prepared lists and records everything it is told, in order.
class TScriptedDialogue : public TFtpSessionDialogue {
public:
    std::deque<std::optional<QString>> FileNames;
    std::deque<TAnswer> OverwriteAnswers;
    std::deque<TAnswer> ErrorAnswers;
    std::deque<TAnswer> FolderAnswers;
    QStringList Questions;  // every question and warning text
    QStringList LogLines;
    QStringList ShownPaths;
    std::vector<TFtpItem> Shown;
    bool Enabled = false;
    std::function<void(const QString&)> OnLog;
    std::function<void()> OnEvents;
    std::function<void(const QString&, qint64, qint64)> OnProgress;

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
    TAnswer AskSetFolder(const QString& text) override {
        Questions << text;
        return Next(FolderAnswers, TAnswer::Cancel);
    }
    void WarnConnection(const QString& text) override { Questions << text; }
    void Progress(const QString& name, qint64 sent, qint64 total) override {
        if (OnProgress)
            OnProgress(name, sent, total);
    }
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

class TFtpSessionTest : public ::testing::TestWithParam<TKind> {
protected:
    void SetUp() override {
        if (!TFtpTestServer::IsInstalled(GetParam()))
            GTEST_SKIP() << "server not installed";
        FServer = std::make_unique<TFtpTestServer>(GetParam());
        FSession.SetFtpConfig(FServer->Config());
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
        FSession.AddUploadFile(remoteDir, Source(name), remoteName);
    }
    QByteArray Stored(const QString& relative) const {
        return testsupport::ReadFile(Local(relative));
    }
    bool IsStored(const QString& relative) const { return QFile::exists(Local(relative)); }

    testsupport::TScratchDir FLocal;
    std::unique_ptr<TFtpTestServer> FServer;
    TScriptedDialogue FDialogue;
    TFtpSession FSession{FDialogue, TimeoutMs};
};

TEST_P(TFtpSessionTest, UploadsAPageAndThreePicturesByteForByte) {
    const QString home = FServer->RemoteHome();
    Queue(home, u"page-source.tmp"_s, {});
    for (const QString& picture : {u"a.jpg"_s, u"b.png"_s, u"画像.gif"_s}) {
        Queue(Remote(u"img"_s), picture, picture);
    }
    FDialogue.FileNames = {u"index.html"_s};
    bool runningSeen = false;
    FDialogue.OnEvents = [&] { runningSeen = runningSeen || FSession.IsBusy(); };
    FSession.ConnectOnIdle();

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
    EXPECT_FALSE(FSession.IsBusy());
    // Each file's folder is listed before it is stored, and the session's folder at the end.
    EXPECT_EQ(FDialogue.ShownPaths, (QStringList{home, Remote(u"img"_s), Remote(u"img"_s),
                                                 Remote(u"img"_s), Remote(u"img"_s)}));
    ASSERT_EQ(FDialogue.Shown.size(), 3u);
    EXPECT_EQ(FDialogue.Shown[0].FileName, u"a.jpg");
}

TEST_P(TFtpSessionTest, ListsFoldersFirst) {
    FServer->PutFile(u"0-first-by-name.html"_s, "x");
    FSession.AddUploadFile(FServer->RemoteHome(), Source(u"z.html"_s), u"z.html"_s);
    FSession.ConnectOnIdle();
    QStringList names;
    for (const TFtpItem& item : FSession.Items())
        names << item.FileName;
    EXPECT_EQ(names, (QStringList{u"img"_s, u"ro"_s, u"0-first-by-name.html"_s, u"z.html"_s}));
    EXPECT_EQ(DisplayItemTexts(FSession.Items()[0])[2], u"<DIR>");
}

TEST_P(TFtpSessionTest, NamePromptEmptyUsesTheLocalNameAndCancelSkips) {
    const QString home = FServer->RemoteHome();
    Queue(home, u"skipped.tmp"_s, {});
    Queue(home, u"page.tmp"_s, {});
    FServer->PutFile(u"page.tmp"_s, "old");
    FDialogue.FileNames = {std::nullopt, QString()};
    FDialogue.OverwriteAnswers = {TAnswer::Yes};
    FSession.ConnectOnIdle();
    EXPECT_FALSE(IsStored(u"skipped.tmp"_s));
    EXPECT_EQ(Stored(u"page.tmp"_s), Content(u"page.tmp"_s));
    EXPECT_EQ(FDialogue.Questions.last(), u"page.tmpは既に存在します。\n上書きしますか？");
    EXPECT_EQ(Uploaded(FDialogue.LogLines), QStringList{u"page.tmpをアップロードしました。"_s});
}

TEST_P(TFtpSessionTest, OverwriteYesNoAndCancel) {
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
    FSession.ConnectOnIdle();
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
TEST_P(TFtpSessionTest, StoreRefusedThenContinueOrStop) {
    for (const TAnswer answer : {TAnswer::Yes, TAnswer::No}) {
        SCOPED_TRACE(answer == TAnswer::Yes ? "Yes" : "No");
        TScriptedDialogue dialogue;
        TFtpSession queue(dialogue, TimeoutMs);
        queue.SetFtpConfig(FServer->Config());
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
TEST_P(TFtpSessionTest, RelativeFolderResolvesAgainstThePreviousFile) {
    Queue(FServer->RemoteHome(), u"page.html"_s, u"page.html"_s);
    Queue(u"img"_s, u"p1.jpg"_s, u"p1.jpg"_s);
    Queue(u"img"_s, u"p2.jpg"_s, u"p2.jpg"_s);
    FDialogue.ErrorAnswers = {TAnswer::No};
    FSession.ConnectOnIdle();
    EXPECT_TRUE(IsStored(u"page.html"_s));
    EXPECT_EQ(Stored(u"img/p1.jpg"_s), Content(u"p1.jpg"_s));
    EXPECT_FALSE(IsStored(u"img/p2.jpg"_s));
    ASSERT_EQ(FDialogue.Questions.size(), 1);
    EXPECT_TRUE(FDialogue.Questions[0].startsWith(
        ErrorPrompt(u"フォルダを変更できませんでした。\n550"_s).section(u'\n', 0, 2)));
}

TEST_P(TFtpSessionTest, ServerKilledMidQueueEndsInErrorPrompts) {
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
    EXPECT_THROW(FSession.ConnectOnIdle(), TError);  // the final listing is not caught
    EXPECT_LT(clock.elapsed(), 4 * TimeoutMs);
    EXPECT_EQ(Uploaded(FDialogue.LogLines), QStringList{u"1.jpgをアップロードしました。"_s});
    ASSERT_EQ(FDialogue.Questions.size(), 2);
    EXPECT_TRUE(FDialogue.Questions[1].startsWith(u"エラーが発生しました。\n"));
    EXPECT_FALSE(IsStored(u"4.jpg"_s));
}

TEST_P(TFtpSessionTest, RefusedLoginIsAConnectionWarning) {
    Queue(FServer->RemoteHome(), u"a.html"_s, u"a.html"_s);
    TFtpConfig config = FServer->Config();
    config.User = FServer->BadLogin().User;
    config.Password = FServer->BadLogin().Password;
    FSession.SetFtpConfig(config);
    FSession.ConnectOnIdle();
    ASSERT_EQ(FDialogue.Questions.size(), 1);
    EXPECT_TRUE(
        FDialogue.Questions[0].startsWith(u"接続できませんでした。\nログインできませんでした。"))
        << FDialogue.Questions[0].toStdString();
    EXPECT_FALSE(FDialogue.Enabled);
    EXPECT_TRUE(FDialogue.ShownPaths.isEmpty());
    EXPECT_FALSE(IsStored(u"a.html"_s));
}

QStringList Names(const TFtpSession& session) {
    QStringList names;
    for (const TFtpItem& item : session.Items())
        names << item.FileName;
    return names;
}

// The index of the entry of that name in the listing held; -1 when there is none.
qsizetype IndexOf(const TFtpSession& session, const QString& name) {
    const auto& items = session.Items();
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const TFtpItem& item) { return item.FileName == name; });
    return found == items.end() ? -1 : found - items.begin();
}

// Connects and walks, through the browser's own command, into the server's writable folder
// (vsftpd's sessions start above it).
void ConnectAtHome(TFtpSession& session, const TFtpTestServer& server) {
    session.ConnectOnIdle();
    const QString home = server.RemoteHome();
    for (const QString& part : home.split(u'/', Qt::SkipEmptyParts)) {
        if (session.CurrentFolder() != home)
            session.EnterFolder(IndexOf(session, part));
    }
    ASSERT_EQ(session.CurrentFolder(), home);
}

TEST_P(TFtpSessionTest, EntersFoldersGoesUpAndKeepsTheHistory) {
    FServer->PutFolder(u"Web"_s);
    FServer->PutFolder(u"web"_s);
    FServer->PutFile(u"web/page.html"_s, "x");
    const QString home = FServer->RemoteHome();
    ConnectAtHome(FSession, *FServer);
    EXPECT_EQ(FSession.History().last(), home);

    FSession.EnterFolder(IndexOf(FSession, u"Web"_s));
    EXPECT_EQ(FSession.CurrentFolder(), Remote(u"Web"_s));
    EXPECT_TRUE(FSession.Items().empty());
    FSession.MoveUp();
    EXPECT_EQ(FSession.CurrentFolder(), home);
    FSession.EnterFolder(IndexOf(FSession, u"web"_s));
    EXPECT_EQ(FDialogue.ShownPaths.last(), Remote(u"web"_s));
    ASSERT_EQ(FSession.Items().size(), 1u);
    // /Web and /web count as one, the latest kept, at the end.
    EXPECT_EQ(FSession.History().mid(FSession.History().size() - 2),
              (QStringList{home, Remote(u"web"_s)}));
    EXPECT_EQ(FSession.History().filter(Remote(u"web"_s), Qt::CaseInsensitive).size(), 1);

    // A file, a missing row and no selection do nothing.
    const qsizetype shown = FDialogue.ShownPaths.size();
    FSession.EnterFolder(IndexOf(FSession, u"page.html"_s));
    FSession.EnterFolder(1);
    FSession.EnterFolder(-1);
    EXPECT_EQ(FDialogue.ShownPaths.size(), shown);
    EXPECT_EQ(FSession.CurrentFolder(), Remote(u"web"_s));
}

TEST_P(TFtpSessionTest, HistoryChoiceComparesWithTheServersFolderFirst) {
    FServer->PutFolder(u"img/sub"_s);
    const QString home = FServer->RemoteHome();
    ConnectAtHome(FSession, *FServer);
    FSession.EnterFolder(IndexOf(FSession, u"img"_s));
    FSession.EnterFolder(IndexOf(FSession, u"sub"_s));
    const QStringList history = FSession.History();
    ASSERT_EQ(history.mid(history.size() - 3),
              (QStringList{home, Remote(u"img"_s), Remote(u"img/sub"_s)}));

    // The current folder: no change of folder, no listing.
    const qsizetype shown = FDialogue.ShownPaths.size();
    const qsizetype logged = FDialogue.LogLines.size();
    FSession.ChooseHistory(history.size() - 1);
    EXPECT_EQ(FDialogue.ShownPaths.size(), shown);
    EXPECT_EQ(FDialogue.LogLines.size(), logged);

    FSession.ChooseHistory(history.indexOf(home));
    EXPECT_EQ(FSession.CurrentFolder(), home);
    EXPECT_EQ(FSession.History().mid(history.size() - 3),
              (QStringList{Remote(u"img"_s), Remote(u"img/sub"_s), home}));
    FSession.ChooseHistory(history.size());  // out of range
    FSession.ChooseHistory(-1);
    EXPECT_EQ(FSession.CurrentFolder(), home);
}

TEST_P(TFtpSessionTest, FolderErrorsAreThrownAndKeepTheListing) {
    FServer->PutFolder(u"gone"_s);
    ConnectAtHome(FSession, *FServer);
    const std::vector<TFtpItem> before = FSession.Items();
    ASSERT_TRUE(QDir(Local(u"gone"_s)).removeRecursively());
    EXPECT_THROW(FSession.EnterFolder(IndexOf(FSession, u"gone"_s)), TError);
    EXPECT_EQ(FSession.Items().size(), before.size());
    EXPECT_EQ(FSession.CurrentFolder(), FServer->RemoteHome());
    EXPECT_FALSE(FSession.IsBusy());
}

TEST_P(TFtpSessionTest, SetFoldersAskFirstAndOnlyYesSets) {
    struct TCase {
        bool Html;
        TAnswer Answer;
    };
    for (const TCase& c : {TCase{true, TAnswer::Yes}, TCase{true, TAnswer::Cancel},
                           TCase{false, TAnswer::Yes}, TCase{false, TAnswer::No}}) {
        SCOPED_TRACE(testing::Message() << c.Html << " " << int(c.Answer));
        TScriptedDialogue dialogue;
        TFtpSession session(dialogue, TimeoutMs);
        TFtpConfig config = FServer->Config();
        config.DirHtml = u"/old-html"_s;
        config.DirImage = u"/old-img"_s;
        session.SetFtpConfig(config);
        ConnectAtHome(session, *FServer);
        session.EnterFolder(IndexOf(session, u"img"_s));
        dialogue.FolderAnswers = {c.Answer};
        c.Html ? session.SetHtmlFolder() : session.SetImageFolder();
        const QString path = Remote(u"img"_s);
        EXPECT_EQ(dialogue.Questions,
                  QStringList{path + (c.Html ? u"をHTMLフォルダに設定します。よろしいですか？"_s
                                             : u"を画像フォルダに設定します。よろしいですか？"_s)});
        const bool set = c.Answer == TAnswer::Yes;
        EXPECT_EQ(session.FtpConfig().DirHtml, set && c.Html ? path : u"/old-html"_s);
        EXPECT_EQ(session.FtpConfig().DirImage, set && !c.Html ? path : u"/old-img"_s);
    }
}

// While the queue runs, the window may forward any command from its event processing or its
// progress display: none may act, and the files still land where their entries say.
TEST_P(TFtpSessionTest, CommandsDoNothingWhileTheQueueRuns) {
    FServer->PutFolder(u"img/sub"_s);
    Queue(Remote(u"img"_s), u"1.jpg"_s, u"1.jpg"_s);
    Queue(Remote(u"img"_s), u"2.jpg"_s, u"2.jpg"_s);
    int attempts = 0;
    auto tryEverything = [&] {
        ++attempts;
        FSession.MoveUp();
        FSession.EnterFolder(IndexOf(FSession, u"sub"_s));
        FSession.ChooseHistory(0);
        FSession.SetHtmlFolder();
        FSession.SetImageFolder();
        FSession.ShowDirectory();
    };
    FDialogue.OnEvents = tryEverything;
    FDialogue.OnProgress = [&](const QString&, qint64, qint64) { tryEverything(); };
    FSession.ConnectOnIdle();
    EXPECT_GT(attempts, 4);
    EXPECT_TRUE(FDialogue.Questions.isEmpty()) << FDialogue.Questions.join(u'|').toStdString();
    EXPECT_EQ(Stored(u"img/1.jpg"_s), Content(u"1.jpg"_s));
    EXPECT_EQ(Stored(u"img/2.jpg"_s), Content(u"2.jpg"_s));
    EXPECT_EQ(FDialogue.ShownPaths,
              (QStringList{Remote(u"img"_s), Remote(u"img"_s), Remote(u"img"_s)}));
    // Afterwards they act again.
    FSession.EnterFolder(IndexOf(FSession, u"sub"_s));
    EXPECT_EQ(FSession.CurrentFolder(), Remote(u"img/sub"_s));
}

TEST_P(TFtpSessionTest, StopRequestEndsTheQueueAfterTheCurrentFile) {
    Queue(FServer->RemoteHome(), u"first.bin"_s, u"first.bin"_s);
    Queue(FServer->RemoteHome(), u"second.bin"_s, u"second.bin"_s);
    FDialogue.OnProgress = [&](const QString&, qint64, qint64) { FSession.RequestStop(); };
    FSession.ConnectOnIdle();
    EXPECT_EQ(Stored(u"first.bin"_s), Content(u"first.bin"_s));
    EXPECT_FALSE(IsStored(u"second.bin"_s));
    EXPECT_EQ(FDialogue.ShownPaths.last(), FServer->RemoteHome());
}

TEST_P(TFtpSessionTest, ProgressReachesTheFileSizeChunkByChunk) {
    const qint64 size = TFtpClient::StoreChunkBytes * 3 + 17;
    const QString source = FLocal.File(u"big.bin"_s);
    testsupport::WriteFile(source, QByteArray(size, 'p'));
    FSession.AddUploadFile(FServer->RemoteHome(), source, u"大きい.bin"_s);
    QList<qint64> sent;
    FDialogue.OnProgress = [&](const QString& name, qint64 bytes, qint64 total) {
        EXPECT_EQ(name, u"大きい.bin");
        EXPECT_EQ(total, size);
        sent << bytes;
    };
    FSession.ConnectOnIdle();
    ASSERT_GE(sent.size(), 4);
    EXPECT_TRUE(std::is_sorted(sent.begin(), sent.end()));
    EXPECT_EQ(sent.last(), size);
    EXPECT_EQ(Stored(u"大きい.bin"_s).size(), size);
}

INSTANTIATE_TEST_SUITE_P(Servers, TFtpSessionTest,
                         ::testing::Values(TKind::Pyftpdlib, TKind::Vsftpd), [](const auto& info) {
                             return TFtpTestServer::KindName(info.param).toStdString();
                         });

// A listing that shows "." and "..": both are folders at the top; ".." goes up, "." lists the
// same folder again.
TEST(TFtpSessionDotEntriesTest, DotFoldersComeFirstAndCanBeEntered) {
    if (!TFtpTestServer::IsInstalled(TKind::Pyftpdlib))
        GTEST_SKIP() << "server not installed";
    TFtpTestServer::TOptions options;
    options.DotEntries = true;
    TFtpTestServer server(TKind::Pyftpdlib, options);
    server.PutFolder(u"img"_s);
    server.PutFile(u"a.html"_s, "x");
    TScriptedDialogue dialogue;
    TFtpSession session(dialogue, TimeoutMs);
    session.SetFtpConfig(server.Config());
    session.ConnectOnIdle();
    session.EnterFolder(IndexOf(session, u"img"_s));
    ASSERT_EQ(session.Items().size(), 2u);
    EXPECT_EQ(session.Items()[0].FileName, u".");
    EXPECT_TRUE(session.Items()[0].IsDir);
    EXPECT_EQ(session.Items()[1].FileName, u"..");

    session.EnterFolder(IndexOf(session, u"."_s));
    EXPECT_EQ(session.CurrentFolder(), u"/img");
    EXPECT_EQ(dialogue.ShownPaths, (QStringList{u"/"_s, u"/img"_s, u"/img"_s}));
    session.EnterFolder(IndexOf(session, u".."_s));
    EXPECT_EQ(session.CurrentFolder(), u"/");
    EXPECT_EQ(Names(session), (QStringList{u"."_s, u".."_s, u"img"_s, u"ro"_s, u"a.html"_s}));
}

// Japanese folder names on servers that speak UTF-8 and on servers that speak Shift_JIS:
// listed, entered, reported by PWD and stored into, in the bytes the server uses.
struct TNameCase {
    const char* Label;
    TKind Kind;
    bool ShiftJisWire;  // pyftpdlib: Shift_JIS on the wire, UTF-8 on disk
    bool ShiftJisDisk;  // vsftpd: the folder's name is Shift_JIS bytes on disk
};

class TFtpSessionNamesTest : public ::testing::TestWithParam<TNameCase> {};

TEST_P(TFtpSessionNamesTest, ListEnterPwdAndUploadIntoAJapaneseFolder) {
    const TNameCase& c = GetParam();
    if (!TFtpTestServer::IsInstalled(c.Kind))
        GTEST_SKIP() << "server not installed";
    TFtpTestServer::TOptions options;
    options.ShiftJisWire = c.ShiftJisWire;
    TFtpTestServer server(c.Kind, options);
    const QString folder = u"日本語フォルダ"_s;
    const QString file = u"写真.jpg"_s;
    auto onDisk = [&](const QString& name) {
        return c.ShiftJisDisk ? TCodePage::Encode(name, TCodePage::ShiftJis) : name.toUtf8();
    };
    server.PutFolderBytes(onDisk(folder));
    const QByteArray folderPath = QFile::encodeName(server.Home()) + '/' + onDisk(folder);

    TScriptedDialogue browsing;
    TFtpSession first(browsing, TimeoutMs);
    first.SetFtpConfig(server.Config());
    ConnectAtHome(first, server);
    ASSERT_GE(IndexOf(first, folder), 0) << Names(first).join(u'|').toStdString();
    first.EnterFolder(IndexOf(first, folder));
    const QString remote = QDir::cleanPath(server.RemoteHome() + u'/' + folder);
    EXPECT_EQ(first.CurrentFolder(), remote);
    first.MoveUp();
    first.ChooseHistory(first.History().indexOf(remote));
    EXPECT_EQ(first.CurrentFolder(), remote);

    // A later session starts with the path alone, as a project's folder setting does.
    TScriptedDialogue uploading;
    TFtpSession second(uploading, TimeoutMs);
    second.SetFtpConfig(server.Config());
    const testsupport::TScratchDir local;
    testsupport::WriteFile(local.File(u"source.jpg"_s), Content(file));
    second.AddUploadFile(first.CurrentFolder(), local.File(u"source.jpg"_s), file);
    second.ConnectOnIdle();
    EXPECT_TRUE(uploading.Questions.isEmpty()) << uploading.Questions.join(u'|').toStdString();
    EXPECT_EQ(second.CurrentFolder(), remote);
    EXPECT_GE(IndexOf(second, file), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(folderPath + '/' + onDisk(file)), Content(file));
}

INSTANTIATE_TEST_SUITE_P(
    Servers, TFtpSessionNamesTest,
    ::testing::Values(TNameCase{"pyftpdlib_utf8", TKind::Pyftpdlib, false, false},
                      TNameCase{"pyftpdlib_shift_jis", TKind::Pyftpdlib, true, false},
                      TNameCase{"vsftpd_utf8", TKind::Vsftpd, false, false},
                      TNameCase{"vsftpd_shift_jis", TKind::Vsftpd, false, true}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST(TFtpSessionClosedPortTest, WarnsAndDoesNothingMore) {
    testsupport::EnsureCoreApplication();
    const testsupport::TClosedPort closed;
    TScriptedDialogue dialogue;
    TFtpSession queue(dialogue, TimeoutMs);
    TFtpConfig config;
    config.Host = u"127.0.0.1"_s;
    config.Port = closed.Port();
    queue.SetFtpConfig(config);
    queue.AddUploadFile(u"/"_s, u"/nonexistent"_s, {});
    queue.ConnectOnIdle();
    ASSERT_EQ(dialogue.Questions.size(), 1);
    EXPECT_TRUE(dialogue.Questions[0].startsWith(u"接続できませんでした。\n"));
    EXPECT_FALSE(dialogue.Enabled);
    EXPECT_TRUE(dialogue.ShownPaths.isEmpty());
    EXPECT_FALSE(queue.IsBusy());
    // Unconnected, the browser's commands do nothing.
    queue.ShowDirectory();
    queue.MoveUp();
    queue.EnterFolder(0);
    queue.ChooseHistory(0);
    queue.SetHtmlFolder();
    EXPECT_EQ(dialogue.Questions.size(), 1);
    EXPECT_TRUE(queue.History().isEmpty());
    EXPECT_TRUE(queue.Items().empty());
}

}  // namespace
