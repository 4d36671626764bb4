// "接続" on the output tab against a real server: the browser takes the folders as typed and the
// server as last loaded or saved; the folders chosen in it come back into the boxes and the
// project but not into the project file; passive mode as the project says.

#include <gtest/gtest.h>

#include <QCheckBox>

#include "TFtpDirDriving.h"
#include "TFtpTestServer.h"
#include "TMainWindowFixture.h"
#include "TProject.h"
#include "TWidgetDriving.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::SetText;
using testsupport::TBrowserSeen;
using testsupport::TFtpDirDriver;
using testsupport::TFtpTestServer;
using testsupport::WorkBrowser;
using TAnswer = TMessageBox::TAnswer;
using namespace Qt::StringLiterals;

namespace {

class TFormMainFtpConnectTest : public testsupport::TMainWindowFixture {
protected:
    void SetUp() override {
        if (!TFtpTestServer::IsInstalled(TFtpTestServer::TKind::Pyftpdlib))
            GTEST_SKIP() << "server not installed";
    }
    QString Text(const char* box) { return Child<QLineEdit>(Window(), box)->text(); }
    // Writes a project file with these settings and opens it in a new window.
    QString OpenProject(const TFtpConfig& ftp) {
        TProject project;
        project.FtpConfig = ftp;
        const QString path = Scratch.File(u"ftp.PT"_s);
        project.SaveToFile(path);
        StartWindow();
        Window().OpenProjectFile(path);
        return path;
    }
    static TFtpConfig Saved(const QString& path) {
        TProject project;
        project.LoadFromFile(path);
        return project.FtpConfig;
    }
};

TEST_F(TFormMainFtpConnectTest, FoldersChosenInTheBrowserReachTheBoxesButNotTheFile) {
    TFtpTestServer server(TFtpTestServer::TKind::Pyftpdlib);
    server.PutFolder(u"img"_s);
    TFtpConfig ftp = server.Config();
    ftp.IsUse = true;
    ftp.DirHtml = u"/old-html"_s;
    ftp.DirImage = u"/old-img"_s;
    const QString path = OpenProject(ftp);
    // A host typed but not saved plays no part; the folders typed do.
    SetText(Window(), "EditFtpHost", "unknown.invalid");
    SetText(Window(), "EditFtpDirImage", "/typed-img");
    TBrowserSeen seen;
    Script.AnswerDialog(WorkBrowser(Script, seen, [&](TFtpDirDriver& browser) {
        browser.DoubleClick(u"img"_s);
        Script.AnswerMessage(TAnswer::Yes);
        browser.Click("BtnDirHtml");
        Script.AnswerMessage(TAnswer::Cancel);
        browser.Click("BtnDirImage");
    }));
    Trigger("ActionOutputFtpConnect");

    ASSERT_EQ(seen.Shown, 1);
    EXPECT_TRUE(seen.DirButtonsVisible);
    EXPECT_EQ(Script.MessageTexts(),
              (QStringList{u"/imgをHTMLフォルダに設定します。よろしいですか？"_s,
                           u"/imgを画像フォルダに設定します。よろしいですか？"_s}));
    EXPECT_EQ(Text("EditFtpDirHtml"), u"/img");
    EXPECT_EQ(Text("EditFtpDirImage"), u"/typed-img");
    EXPECT_EQ(Window().Project().FtpConfig.DirHtml, u"/img");
    EXPECT_EQ(Window().Project().FtpConfig.DirImage, u"/typed-img");
    EXPECT_EQ(Saved(path).DirHtml, u"/old-html");
    EXPECT_EQ(Saved(path).DirImage, u"/old-img");
}

// Behind a router that active mode cannot cross (the server refuses PORT and EPRT): the project's
// passive mode lists; unticked and saved, the listing fails and its error is shown.
TEST_F(TFormMainFtpConnectTest, PassiveModeListsWhereActiveModeCannot) {
    TFtpTestServer::TOptions options;
    options.RefuseActive = true;
    TFtpTestServer server(TFtpTestServer::TKind::Pyftpdlib, options);
    server.PutFile(u"index.html"_s, "x");
    TFtpConfig ftp = server.Config();
    ftp.IsUse = true;
    ftp.Passive = true;
    const QString path = OpenProject(ftp);
    EXPECT_TRUE(Child<QCheckBox>(Window(), "CheckBoxFtpPassive")->isChecked());
    TBrowserSeen passive;
    Script.AnswerDialog(WorkBrowser(Script, passive));
    Trigger("ActionOutputFtpConnect");
    EXPECT_TRUE(Script.Messages.empty()) << Script.MessageTexts().join(u'|').toStdString();
    EXPECT_EQ(passive.Path, u"/");

    Click(Window(), "CheckBoxFtpPassive");
    Trigger("ActionFileSave");
    EXPECT_FALSE(Saved(path).Passive);
    TBrowserSeen active;
    Script.AnswerMessage(TAnswer::Ok);
    Script.AnswerDialog(WorkBrowser(Script, active));
    Trigger("ActionOutputFtpConnect");
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Kind, TMessageBox::TKind::Error);
    EXPECT_TRUE(active.Path.isEmpty());
    EXPECT_TRUE(active.Log.contains(u"ログインしました。"));
}

}  // namespace
