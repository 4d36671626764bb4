// The remote folder browser against real FTP servers: it connects once it has appeared, lists,
// sorts, browses, sets the project's folders and runs its queue, answering every question
// through the dialog script.

#include <gtest/gtest.h>

#include "TApplication.h"
#include "TCodePage.h"
#include "TDialogScript.h"
#include "TFtpDirDriving.h"
#include "TFtpTestServer.h"
#include "TTestSupport.h"
#include "UnitFormFtpDir.h"
#include "UnitFormHtmlPreview.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimeZone>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

using testsupport::TBrowserSeen;
using testsupport::TDialogScript;
using testsupport::TFtpDirDriver;
using testsupport::TFtpTestServer;
using TKind = TFtpTestServer::TKind;
using TAnswer = TMessageBox::TAnswer;
using testsupport::WorkBrowser;
using namespace Qt::StringLiterals;

namespace {

constexpr int WaitMs = 15000;

// A browser window of its own over a project's FTP settings.
struct TBrowserForm {
    explicit TBrowserForm(const TFtpConfig& config) : Config(config) { Form.SetFtpConfig(Config); }
    TFtpConfig Config;
    TFormFtpDir Form{nullptr};
};

class TBrowser : public TBrowserForm, public TFtpDirDriver {
public:
    explicit TBrowser(const TFtpConfig& config) : TBrowserForm(config), TFtpDirDriver(Form) {}

    ::testing::AssertionResult ShowAndConnect(const TDialogScript& script) {
        Form.show();
        return WaitConnected(script);
    }
};

// File bytes with CR LF and a NUL inside, different for each name.
QByteArray Content(const QString& name) {
    return name.toUtf8() + QByteArray("\r\n\0\xff", 4);
}

QStringList Uploaded(const QString& log) {
    return log.split(u'\n').filter(u"をアップロードしました。"_s);
}

class TFormFtpDirTest : public ::testing::TestWithParam<TKind> {
protected:
    void SetUp() override {
        if (!TFtpTestServer::IsInstalled(GetParam()))
            GTEST_SKIP() << "server not installed";
        FServer = std::make_unique<TFtpTestServer>(GetParam());
        FServer->PutFolder(u"html"_s);
        FServer->PutFolder(u"img"_s);
    }
    QString Remote(const QString& relative) const {
        return QDir::cleanPath(FServer->RemoteHome() + u'/' + relative);
    }
    QString Local(const QString& relative) const { return FServer->Home() + u'/' + relative; }
    // A local file to send, holding Content(name).
    QString Source(const QString& name) {
        const QString path = FLocal.File(name);
        testsupport::WriteFile(path, Content(name));
        return path;
    }
    bool IsStored(const QString& relative) const { return QFile::exists(Local(relative)); }

    testsupport::TScratchDir FLocal;
    std::unique_ptr<TFtpTestServer> FServer;
};

TEST_P(TFormFtpDirTest, ConnectsAndListsFoldersFirst) {
    FServer->PutFile(u"a.html"_s, "abc");
    TDialogScript script;
    TBrowser browser(FServer->Config());
    EXPECT_FALSE(browser.Find<QAction>("ActionDirMoveUp")->isEnabled());
    ASSERT_TRUE(browser.ShowAndConnect(script));
    browser.EnterFolders(FServer->RemoteHome());

    EXPECT_EQ(browser.Names(), (QStringList{u"html"_s, u"img"_s, u"ro"_s, u"a.html"_s}));
    EXPECT_EQ(browser.Column(2), (QStringList{u"<DIR>"_s, u"<DIR>"_s, u"<DIR>"_s, u"3"_s}));
    EXPECT_TRUE(QRegularExpression(u"^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d$"_s)
                    .match(browser.Column(1)[3])
                    .hasMatch())
        << browser.Column(1)[3].toStdString();
    EXPECT_FALSE(browser.Column(3)[3].isEmpty());
    EXPECT_EQ(browser.History()->currentText(), FServer->RemoteHome());
    EXPECT_EQ(browser.History()->currentIndex(), browser.History()->count() - 1);
    EXPECT_TRUE(browser.Log()->toPlainText().contains(u"ログインしました。"));
    for (const char* action : {"ActionDirMoveUp", "ActionDirHtml", "ActionDirImage"})
        EXPECT_TRUE(browser.Find<QAction>(action)->isEnabled()) << action;
    EXPECT_TRUE(script.Messages.empty());
}

// The page goes to the HTML folder in its code page under the name typed; an empty name keeps
// the temporary file's own name; cancelling the prompt sends nothing and says nothing. The
// temporary file is gone afterwards.
TEST_P(TFormFtpDirTest, UploadsThePageUnderTheNameTyped) {
    struct TCase {
        const char* Label;
        std::optional<QString> Typed;
    };
    const TCase cases[] = {
        {"cancelled", std::nullopt}, {"typed", u"index.html"_s}, {"empty", QString()}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Label);
        const testsupport::TScratchDir temp;
        const testsupport::TScopedEnv tempFolder("TMPDIR", temp.Path());
        const QString folder = u"html-"_s + QString::fromLatin1(c.Label);
        FServer->PutFolder(folder);
        TDialogScript script;
        script.AnswerInput(c.Typed);
        TBrowserSeen run;
        script.AnswerDialog(WorkBrowser(script, run));
        TFtpConfig config = FServer->Config();
        config.DirHtml = Remote(folder);
        const QString page =
            u"<html>\r\n日本語のページ "_s + QString::fromLatin1(c.Label) + u"\r\n"_s;
        TFormFtpDir::UploadPage(nullptr, config, page, TCodePage::ShiftJis);

        ASSERT_EQ(run.Shown, 1);
        ASSERT_EQ(script.Inputs.size(), 1u);
        EXPECT_EQ(script.Inputs[0].Caption, u"ファイル名");
        EXPECT_EQ(script.Inputs[0].Prompt, u"ファイル名を入力してください。");
        EXPECT_TRUE(script.Messages.empty());
        EXPECT_EQ(run.Path, Remote(folder));
        EXPECT_FALSE(run.DirButtonsVisible);
        const QStringList stored = QDir(Local(folder)).entryList(QDir::Files);
        if (!c.Typed) {
            EXPECT_TRUE(stored.isEmpty());
            EXPECT_TRUE(Uploaded(run.Log).isEmpty());
        } else {
            ASSERT_EQ(stored.size(), 1);
            if (!c.Typed->isEmpty()) {
                EXPECT_EQ(stored[0], *c.Typed);
            }
            EXPECT_EQ(testsupport::ReadFile(Local(folder + u'/' + stored[0])),
                      TCodePage::Encode(page, TCodePage::ShiftJis));
            EXPECT_EQ(Uploaded(run.Log), QStringList{stored[0] + u"をアップロードしました。"_s});
        }
        EXPECT_TRUE(QDir(temp.Path()).isEmpty());
    }
}

// Three pictures of which the second cannot be stored (a folder has its name, which raises no
// overwrite question): the error prompt decides the third.
TEST_P(TFormFtpDirTest, ErrorPromptDecidesWhetherThePicturesGoOn) {
    QStringList pictures;
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg"})
        pictures << Source(QString::fromLatin1(name));
    for (const TAnswer answer : {TAnswer::Yes, TAnswer::No}) {
        const QString folder = answer == TAnswer::Yes ? u"img-yes"_s : u"img-no"_s;
        SCOPED_TRACE(folder.toStdString());
        FServer->PutFolder(folder);
        FServer->PutFolder(folder + u"/2.jpg"_s);
        TDialogScript script;
        script.AnswerMessage(answer);
        TBrowserSeen run;
        script.AnswerDialog(WorkBrowser(script, run));
        TFtpConfig config = FServer->Config();
        config.DirImage = Remote(folder);
        TFormFtpDir::UploadPictures(nullptr, config, pictures);

        ASSERT_EQ(script.Messages.size(), 1u);
        EXPECT_EQ(script.Messages[0].Kind, TMessageBox::TKind::Warning);
        EXPECT_EQ(script.Messages[0].Buttons, TMessageBox::TButtons::YesNoCancel);
        EXPECT_TRUE(script.Messages[0].Text.startsWith(u"エラーが発生しました。\n"));
        EXPECT_TRUE(script.Messages[0].Text.endsWith(u"\n処理を続行しますか？"));
        EXPECT_EQ(testsupport::ReadFile(Local(folder + u"/1.jpg"_s)), Content(u"1.jpg"_s));
        EXPECT_EQ(IsStored(folder + u"/3.jpg"_s), answer == TAnswer::Yes);
        EXPECT_FALSE(run.DirButtonsVisible);
    }
}

TEST_P(TFormFtpDirTest, CancelAtTheOverwriteQuestionSendsNoMore) {
    FServer->PutFile(u"img/a.jpg"_s, "old");
    TDialogScript script;
    script.AnswerMessage(TAnswer::Cancel);
    TBrowser browser(FServer->Config());
    browser.Form.AddUploadFile(Remote(u"img"_s), Source(u"a.jpg"_s), u"a.jpg"_s);
    browser.Form.AddUploadFile(Remote(u"img"_s), Source(u"b.jpg"_s), u"b.jpg"_s);
    ASSERT_TRUE(browser.ShowAndConnect(script));

    EXPECT_EQ(script.MessageTexts(), QStringList{u"a.jpgは既に存在します。\n上書きしますか？"_s});
    EXPECT_EQ(script.Messages[0].Kind, TMessageBox::TKind::Confirmation);
    EXPECT_EQ(testsupport::ReadFile(Local(u"img/a.jpg"_s)), "old");
    EXPECT_FALSE(IsStored(u"img/b.jpg"_s));
    EXPECT_EQ(browser.History()->currentText(), Remote(u"img"_s));
    EXPECT_EQ(browser.Names(), QStringList{u"a.jpg"_s});
    EXPECT_TRUE(browser.Form.isVisible());
}

// While the queue runs (here: while the name is asked), the window's own commands do nothing;
// every file lands where its entry says and the settings stay as they were.
TEST_P(TFormFtpDirTest, CommandsDoNothingWhileTheQueueRuns) {
    FServer->PutFolder(u"html/sub"_s);
    TDialogScript script;
    TFtpConfig config = FServer->Config();
    config.DirHtml = u"/old-html"_s;
    TBrowser browser(config);
    browser.Form.AddUploadFile(Remote(u"html"_s), Source(u"page.tmp"_s), {});
    browser.Form.AddUploadFile(Remote(u"img"_s), Source(u"a.jpg"_s), u"a.jpg"_s);
    TInputBox::SetTestAnswerer([&](const TInputBox::TRequest&) -> std::optional<QString> {
        EXPECT_EQ(browser.Names(), QStringList{u"sub"_s});
        browser.DoubleClick(u"sub"_s);
        browser.Click("BtnDirMoveUp");
        browser.ChooseHistory(0);
        browser.Click("BtnDirHtml");
        browser.Click("BtnDirImage");
        EXPECT_EQ(browser.History()->currentText(), Remote(u"html"_s));
        return u"page.html"_s;
    });
    ASSERT_TRUE(browser.ShowAndConnect(script));

    EXPECT_TRUE(script.Messages.empty()) << script.MessageTexts().join(u'|').toStdString();
    EXPECT_TRUE(IsStored(u"html/page.html"_s));
    EXPECT_TRUE(IsStored(u"img/a.jpg"_s));
    EXPECT_EQ(browser.Config.DirHtml, u"/old-html");
    EXPECT_EQ(browser.History()->currentText(), Remote(u"img"_s));
    // Afterwards they act again.
    browser.Click("BtnDirMoveUp");
    EXPECT_EQ(browser.History()->currentText(), FServer->RemoteHome());
}

// Closing while the queue runs lets the file being sent finish, sends no more, then closes.
TEST_P(TFormFtpDirTest, ClosingStopsTheQueueAfterTheCurrentFile) {
    TDialogScript script;
    TBrowser browser(FServer->Config());
    browser.Form.AddUploadFile(Remote(u"html"_s), Source(u"first.tmp"_s), {});
    browser.Form.AddUploadFile(Remote(u"html"_s), Source(u"second.html"_s), u"second.html"_s);
    TInputBox::SetTestAnswerer([&](const TInputBox::TRequest&) -> std::optional<QString> {
        browser.Click("BtnClose");
        EXPECT_TRUE(browser.Form.isVisible());
        return u"first.html"_s;
    });
    browser.Form.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !browser.Form.isVisible(); }, WaitMs));
    EXPECT_EQ(browser.Form.result(), QDialog::Rejected);
    EXPECT_TRUE(IsStored(u"html/first.html"_s));
    EXPECT_FALSE(IsStored(u"html/second.html"_s));
    EXPECT_TRUE(script.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Servers, TFormFtpDirTest,
                         ::testing::Values(TKind::Pyftpdlib, TKind::Vsftpd), [](const auto& info) {
                             return TFtpTestServer::KindName(info.param).toStdString();
                         });

// Browsing on pyftpdlib, whose sessions start in the home folder.
class TFormFtpDirBrowseTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TFtpTestServer::IsInstalled(TKind::Pyftpdlib))
            GTEST_SKIP() << "server not installed";
        FServer = std::make_unique<TFtpTestServer>(TKind::Pyftpdlib);
    }
    QString Local(const QString& relative) const { return FServer->Home() + u'/' + relative; }
    // A file with its size, modification day and permissions.
    void PutFile(const QString& name, int size, int day, QFileDevice::Permissions permissions) {
        FServer->PutFile(name, QByteArray(size, 'x'));
        QFile file(Local(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2020, 1, day), QTime(12, 0), QTimeZone::utc()),
                                     QFileDevice::FileModificationTime));
        ASSERT_TRUE(file.setPermissions(permissions));
    }

    std::unique_ptr<TFtpTestServer> FServer;
};

TEST_F(TFormFtpDirBrowseTest, HeaderClickSortsByEachColumnFoldersFirst) {
    constexpr auto rw = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    constexpr auto r = QFileDevice::ReadGroup | QFileDevice::ReadOther;
    PutFile(u"B.txt"_s, 20, 3, rw);                              // -rw-------
    PutFile(u"a.txt"_s, 10, 2, rw | r | QFileDevice::ExeOwner);  // -rwxr--r--
    PutFile(u"A.txt"_s, 30, 1, rw | r);                          // -rw-r--r--
    FServer->PutFolder(u"Z"_s);
    TDialogScript script;
    TBrowser browser(FServer->Config());
    ASSERT_TRUE(browser.ShowAndConnect(script));
    const QStringList folders{u"Z"_s, u"ro"_s};
    EXPECT_EQ(browser.Names(), folders + QStringList({u"A.txt"_s, u"B.txt"_s, u"a.txt"_s}));

    struct TCase {
        int Column;
        QStringList Files;
    };
    const TCase cases[] = {{1, {u"A.txt"_s, u"a.txt"_s, u"B.txt"_s}},
                           {2, {u"a.txt"_s, u"B.txt"_s, u"A.txt"_s}},
                           {3, {u"B.txt"_s, u"A.txt"_s, u"a.txt"_s}},
                           {0, {u"A.txt"_s, u"B.txt"_s, u"a.txt"_s}}};
    const QString log = browser.Log()->toPlainText();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Column);
        for (int twice = 0; twice < 2; ++twice) {
            browser.ClickHeader(c.Column);
            const QStringList names = browser.Names();
            ASSERT_EQ(names.size(), 5);
            EXPECT_EQ(QSet<QString>(names.begin(), names.begin() + 2),
                      QSet<QString>(folders.begin(), folders.end()));
            EXPECT_EQ(names.mid(2), c.Files);
            EXPECT_EQ(browser.List()->header()->sortIndicatorSection(), c.Column);
        }
    }
    EXPECT_EQ(browser.Column(2).mid(0, 2), (QStringList{u"<DIR>"_s, u"<DIR>"_s}));
    EXPECT_EQ(browser.Log()->toPlainText(), log);  // sorting asks the server nothing
}

TEST_F(TFormFtpDirBrowseTest, HistoryKeepsEachFolderOnceTheLatestLast) {
    FServer->PutFolder(u"Web"_s);
    FServer->PutFolder(u"web"_s);
    FServer->PutFile(u"web/page.html"_s, "x");
    TDialogScript script;
    TBrowser browser(FServer->Config());
    ASSERT_TRUE(browser.ShowAndConnect(script));
    browser.DoubleClick(u"Web"_s);
    EXPECT_EQ(browser.HistoryItems(), (QStringList{u"/"_s, u"/Web"_s}));
    EXPECT_TRUE(browser.Names().isEmpty());
    browser.Click("BtnDirMoveUp");
    browser.DoubleClick(u"web"_s);
    EXPECT_EQ(browser.HistoryItems(), (QStringList{u"/"_s, u"/web"_s}));
    EXPECT_EQ(browser.History()->currentText(), u"/web");
    EXPECT_EQ(browser.Names(), QStringList{u"page.html"_s});

    // The entry of the current folder: no change of folder, no listing.
    const QString log = browser.Log()->toPlainText();
    browser.ChooseHistory(1);
    EXPECT_EQ(browser.Log()->toPlainText(), log);
    EXPECT_EQ(browser.Names(), QStringList{u"page.html"_s});

    browser.ChooseHistory(0);
    EXPECT_EQ(browser.HistoryItems(), (QStringList{u"/web"_s, u"/"_s}));
    EXPECT_EQ(browser.History()->currentIndex(), 1);
    EXPECT_TRUE(browser.Names().contains(u"Web"_s));
    // A file is not entered.
    browser.DoubleClick(u"web"_s);
    browser.DoubleClick(u"page.html"_s);
    EXPECT_EQ(browser.History()->currentText(), u"/web");
    EXPECT_TRUE(script.Messages.empty());
}

TEST_F(TFormFtpDirBrowseTest, DotFoldersListFirstAndCanBeEntered) {
    TFtpTestServer::TOptions options;
    options.DotEntries = true;
    FServer = std::make_unique<TFtpTestServer>(TKind::Pyftpdlib, options);
    FServer->PutFolder(u"img"_s);
    TDialogScript script;
    TBrowser browser(FServer->Config());
    ASSERT_TRUE(browser.ShowAndConnect(script));
    browser.DoubleClick(u"img"_s);
    EXPECT_EQ(browser.Names(), (QStringList{u"."_s, u".."_s}));
    EXPECT_EQ(browser.Column(2), (QStringList{u"<DIR>"_s, u"<DIR>"_s}));

    const qsizetype lines = browser.Log()->toPlainText().size();
    browser.DoubleClick(u"."_s);
    EXPECT_EQ(browser.History()->currentText(), u"/img");
    EXPECT_GT(browser.Log()->toPlainText().size(), lines);  // listed again
    browser.DoubleClick(u".."_s);
    EXPECT_EQ(browser.HistoryItems(), (QStringList{u"/img"_s, u"/"_s}));
    EXPECT_EQ(browser.Names(), (QStringList{u"."_s, u".."_s, u"img"_s, u"ro"_s}));
}

// The browsing command's error reaches the error display; the list stays as it was.
TEST_F(TFormFtpDirBrowseTest, BrowsingErrorIsShownAndTheListStays) {
    FServer->PutFolder(u"gone"_s);
    TDialogScript script;
    script.AnswerMessage(TAnswer::Ok);
    TBrowser browser(FServer->Config());
    ASSERT_TRUE(browser.ShowAndConnect(script));
    const QStringList names = browser.Names();
    ASSERT_TRUE(QDir(Local(u"gone"_s)).removeRecursively());
    browser.DoubleClick(u"gone"_s);
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(script.Messages[0].Kind, TMessageBox::TKind::Error);
    EXPECT_EQ(script.Messages[0].Caption, TApplication::Title());
    EXPECT_TRUE(script.Messages[0].Text.contains(u"550")) << script.Messages[0].Text.toStdString();
    EXPECT_EQ(browser.Names(), names);
    EXPECT_EQ(browser.HistoryItems(), QStringList{u"/"_s});
}

TEST_F(TFormFtpDirBrowseTest, FolderButtonsAskAndOnlyYesSets) {
    FServer->PutFolder(u"img"_s);
    struct TCase {
        const char* Button;
        TAnswer Answer;
        QString Html;
        QString Image;
    };
    const TCase cases[] = {{"BtnDirHtml", TAnswer::Yes, u"/img"_s, u"/old-img"_s},
                           {"BtnDirHtml", TAnswer::Cancel, u"/old-html"_s, u"/old-img"_s},
                           {"BtnDirImage", TAnswer::Yes, u"/old-html"_s, u"/img"_s},
                           {"BtnDirImage", TAnswer::No, u"/old-html"_s, u"/old-img"_s}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Button << int(c.Answer));
        TDialogScript script;
        TFtpConfig config = FServer->Config();
        config.DirHtml = u"/old-html"_s;
        config.DirImage = u"/old-img"_s;
        TBrowser browser(config);
        ASSERT_TRUE(browser.ShowAndConnect(script));
        browser.DoubleClick(u"img"_s);
        script.AnswerMessage(c.Answer);
        browser.Click(c.Button);
        const bool html = QByteArray(c.Button) == "BtnDirHtml";
        ASSERT_EQ(script.Messages.size(), 1u);
        EXPECT_EQ(script.Messages[0].Kind, TMessageBox::TKind::Confirmation);
        EXPECT_EQ(script.Messages[0].Text,
                  html ? u"/imgをHTMLフォルダに設定します。よろしいですか？"_s
                       : u"/imgを画像フォルダに設定します。よろしいですか？"_s);
        EXPECT_EQ(browser.Config.DirHtml, c.Html);
        EXPECT_EQ(browser.Config.DirImage, c.Image);
    }
}

// A file of 50 MB: the progress reaches its size and the window's events run meanwhile.
TEST_F(TFormFtpDirBrowseTest, ProgressReachesTheFileSizeWhileEventsRun) {
    constexpr qint64 size = 50LL * 1024 * 1024;
    const testsupport::TScratchDir local;
    const QString source = local.File(u"big.bin"_s);
    testsupport::WriteFile(source, QByteArray(size, 'b'));
    TDialogScript script;
    TBrowser browser(FServer->Config());
    browser.Form.AddUploadFile(u"/"_s, source, u"大きい.bin"_s);
    QLabel* label = browser.Find<QLabel>("LabelProgress");
    QProgressBar* bar = browser.Find<QProgressBar>("ProgressBarUpload");
    int ticksWhileSending = 0;
    QStringList texts;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (label->isVisible()) {
            ++ticksWhileSending;
            texts << label->text();
        }
    });
    ticker.start(0);
    ASSERT_TRUE(browser.ShowAndConnect(script));
    ticker.stop();

    EXPECT_GT(ticksWhileSending, 1);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.last().contains(u"大きい.bin"));
    EXPECT_TRUE(texts.last().contains(u"50.0 MB / 50.0 MB")) << texts.last().toStdString();
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_FALSE(label->isVisible());  // gone once the queue has ended
    EXPECT_EQ(QFileInfo(Local(u"大きい.bin"_s)).size(), size);
}

TEST(TFormFtpDirTestNoServer, ConnectionFailureWarnsAndLeavesTheCommandsOff) {
    const testsupport::TClosedPort closed;
    TFtpConfig config;
    config.Host = u"127.0.0.1"_s;
    config.Port = closed.Port();
    TDialogScript script;
    script.AnswerMessage(TAnswer::Ok);
    TBrowser browser(config);
    browser.Form.AddUploadFile(u"/"_s, u"/nonexistent"_s, {});
    ASSERT_TRUE(browser.ShowAndConnect(script));
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(script.Messages[0].Kind, TMessageBox::TKind::Warning);
    EXPECT_EQ(script.Messages[0].Buttons, TMessageBox::TButtons::Ok);
    EXPECT_TRUE(script.Messages[0].Text.startsWith(u"接続できませんでした。\n"));
    for (const char* action : {"ActionDirMoveUp", "ActionDirHtml", "ActionDirImage"})
        EXPECT_FALSE(browser.Find<QAction>(action)->isEnabled()) << action;
    EXPECT_EQ(browser.List()->topLevelItemCount(), 0);
    EXPECT_EQ(browser.History()->count(), 0);
    // Closing still works.
    browser.Click("BtnClose");
    EXPECT_FALSE(browser.Form.isVisible());
}

TEST(TFormFtpDirTestNoServer, LayoutTextsAndHints) {
    TFtpConfig config;
    TBrowser browser(config);
    EXPECT_EQ(browser.Form.windowTitle(), u"FTPディレクトリの参照");
    QTreeWidgetItem* header = browser.List()->headerItem();
    EXPECT_EQ((QStringList{header->text(0), header->text(1), header->text(2), header->text(3)}),
              (QStringList{u"名前"_s, u"日付"_s, u"サイズ"_s, u"属性"_s}));
    EXPECT_EQ(browser.Find<QPushButton>("BtnDirHtml")->text(), u"HTMLフォルダに設定");
    EXPECT_EQ(browser.Find<QPushButton>("BtnDirImage")->text(), u"画像フォルダに設定");
    EXPECT_EQ(browser.Find<QPushButton>("BtnClose")->text(), u"閉じる(&C)");
    QToolButton* up = browser.Find<QToolButton>("BtnDirMoveUp");
    EXPECT_EQ(up->accessibleName(), u"一つ上のフォルダへ");
    EXPECT_EQ(up->toolTip(), u"一つ上のフォルダへ");
    EXPECT_FALSE(up->icon().isNull());

    // The status bar shows the hint of the control under the mouse.
    struct THint {
        const char* Control;
        QString Text;
    };
    const THint hints[] = {{"BtnDirMoveUp", u"一つ上のフォルダへ"_s},
                           {"BtnDirHtml", u"現在のフォルダをHTMLのフォルダに設定する"_s},
                           {"BtnDirImage", u"現在のフォルダを画像のフォルダに設定する"_s}};
    for (const THint& hint : hints) {
        QWidget* control = browser.Find<QWidget>(hint.Control);
        EXPECT_EQ(control->statusTip(), hint.Text);
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(control, &enter);
        EXPECT_EQ(browser.Find<QStatusBar>("StatusBar1")->currentMessage(), hint.Text);
    }
}

// The preview window's two "FTPアップロード(&U)" commands open the browser with their queues.
TEST(TFormFtpDirFromPreviewTest, PreviewButtonsUploadThePageAndItsPictures) {
    if (!TFtpTestServer::IsInstalled(TKind::Pyftpdlib))
        GTEST_SKIP() << "server not installed";
    TFtpTestServer server(TKind::Pyftpdlib);
    server.PutFolder(u"html"_s);
    server.PutFolder(u"img"_s);
    const testsupport::TScratchDir local;
    const QString picture = local.File(u"写真.jpg"_s);
    testsupport::WriteFile(picture, Content(u"写真.jpg"_s));
    TFtpConfig config = server.Config();
    config.DirHtml = u"/html"_s;
    config.DirImage = u"/img"_s;
    TDialogScript script;
    TFormHtmlPreview preview(nullptr);
    const QString page = u"<p>日本語①</p>\r\n"_s;
    preview.SetHtml(page, TCodePage::EucJp);
    preview.SetImageFiles({picture, local.File(u"gone.png"_s)});
    preview.SetFtpConfig(config);

    TBrowserSeen pageRun;
    script.AnswerInput(u"index.html"_s);
    script.AnswerDialog(WorkBrowser(script, pageRun));
    preview.findChild<QPushButton*>(u"BtnHtmlUpload2"_s)->click();
    EXPECT_EQ(testsupport::ReadFile(server.Home() + u"/html/index.html"_s),
              TCodePage::Encode(page, TCodePage::EucJp));
    EXPECT_EQ(pageRun.Path, u"/html");
    EXPECT_FALSE(pageRun.DirButtonsVisible);

    // The picture whose file has gone is still queued, and fails through the error prompt.
    TBrowserSeen pictureRun;
    script.AnswerMessage(TAnswer::Yes);
    script.AnswerDialog(WorkBrowser(script, pictureRun));
    preview.findChild<QPushButton*>(u"BtnImageUpload"_s)->click();
    EXPECT_EQ(testsupport::ReadFile(server.Home() + u"/img/写真.jpg"_s), Content(u"写真.jpg"_s));
    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_TRUE(script.Messages[0].Text.startsWith(u"エラーが発生しました。\n"));
    EXPECT_EQ(pictureRun.Path, u"/img");
    EXPECT_EQ(script.Dialogs, (QStringList{u"TFormFtpDir"_s, u"TFormFtpDir"_s}));
}

}  // namespace
