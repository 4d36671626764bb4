// orvane-make publish against real FTP servers on 127.0.0.1.
#include <gtest/gtest.h>

#include <QDir>

#include "TCommandRun.h"
#include "TFtpTestServer.h"
#include "TProject.h"
#include "TTestSupport.h"

using testsupport::ReadFile;
using testsupport::RunOrvaneMake;
using testsupport::TFtpTestServer;
using testsupport::TScratchDir;
using TKind = TFtpTestServer::TKind;

namespace {

const QString Example = QStringLiteral(ORVANE_SOURCE_DIR "/examples/shop.PT");
const QString Values = QStringLiteral(ORVANE_SOURCE_DIR "/examples/values.json");

class OrvaneMakePublishTest : public testing::TestWithParam<TKind> {
protected:
    void SetUp() override {
        testsupport::EnsureCoreApplication();
        if (!TFtpTestServer::IsInstalled(GetParam()))
            GTEST_SKIP() << "server not installed";
        FServer = std::make_unique<TFtpTestServer>(GetParam());
        FServer->PutFolder("img");
    }
    // The example project pointed at the test server.
    QString Project(const QString& dirImage, quint16 port = 0) {
        TProject project;
        project.LoadFromFile(Example);
        const TFtpLogin login = FServer->Login();
        project.FtpConfig.Host = login.Host;
        project.FtpConfig.User = login.User;
        project.FtpConfig.Password = login.Password;
        project.FtpConfig.Port = port ? port : login.Port;
        project.FtpConfig.DirHtml = FServer->RemoteHome();
        project.FtpConfig.DirImage = dirImage;
        const QString path = FDir.File("project.PT");
        project.SaveToFile(path);
        return path;
    }
    testsupport::TCommandResult Publish(const QString& project, const QStringList& extra = {}) {
        return RunOrvaneMake(QStringList{"publish", project, "--template", "#1", "--values", Values,
                                         "--page", "news.html"} +
                             extra);
    }
    QString Home(const QString& relative) const { return FServer->Home() + "/" + relative; }

    TScratchDir FDir;
    std::unique_ptr<TFtpTestServer> FServer;
};

TEST_P(OrvaneMakePublishTest, StoresThePageAndPicturesByteForByte) {
    const QString project = Project(FServer->RemoteHome() + "/img");
    const auto run = Publish(project);
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains("news.htmlをアップロードしました。"));
    const auto page = RunOrvaneMake(
        {"page", project, "--template", "#1", "--values", Values, "--out", FDir.File("local")});
    ASSERT_EQ(page.ExitCode, 0) << page.Err.toStdString();
    EXPECT_EQ(ReadFile(Home("news.html")), ReadFile(FDir.File("local/index.html")));
    EXPECT_EQ(ReadFile(Home("img/logo.png")), ReadFile(FDir.File("local/logo.png")));
    EXPECT_EQ(ReadFile(Home("img/yuuhi-small.jpg")), ReadFile(FDir.File("local/yuuhi-small.jpg")));
}

TEST_P(OrvaneMakePublishTest, ExistingFilesAreReplacedOnlyWhenAsked) {
    const QString project = Project(FServer->RemoteHome() + "/img");
    FServer->PutFile("news.html", "old page");
    const auto kept = Publish(project);
    EXPECT_EQ(kept.ExitCode, 1);
    EXPECT_TRUE(kept.Err.contains("news.htmlは既に存在します。")) << kept.Err.toStdString();
    EXPECT_EQ(ReadFile(Home("news.html")), QByteArray("old page"));
    EXPECT_TRUE(QFileInfo::exists(Home("img/logo.png")));  // the others still went

    const auto replaced = Publish(project, {"--overwrite", "yes"});
    EXPECT_EQ(replaced.ExitCode, 0) << replaced.Err.toStdString();
    EXPECT_NE(ReadFile(Home("news.html")), QByteArray("old page"));
}

TEST_P(OrvaneMakePublishTest, AfterAFailureTheQueueGoesOnOnlyWithKeepGoing) {
    const QString project = Project(FServer->RemoteHome() + "/" + TFtpTestServer::ReadOnlyFolder());
    const auto stopped = Publish(project);
    EXPECT_EQ(stopped.ExitCode, 1);
    EXPECT_EQ(stopped.Err.count("エラーが発生しました。"), 1) << stopped.Err.toStdString();

    const auto going = Publish(project, {"--overwrite", "yes", "--keep-going"});
    EXPECT_EQ(going.ExitCode, 1);
    EXPECT_EQ(going.Err.count("エラーが発生しました。"), 2) << going.Err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(Home("news.html")));
}

TEST_P(OrvaneMakePublishTest, ClosedPortIsAConnectionWarning) {
    const testsupport::TClosedPort closed;
    const auto run = Publish(Project(FServer->RemoteHome(), closed.Port()));
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.contains("接続できませんでした。\n")) << run.Err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Servers, OrvaneMakePublishTest,
                         testing::Values(TKind::Pyftpdlib, TKind::Vsftpd), [](const auto& info) {
                             return TFtpTestServer::KindName(info.param).toStdString();
                         });

}  // namespace
