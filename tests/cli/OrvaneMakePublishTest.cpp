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

// The example project pointed at a test server, saved in dir.
QString WriteProject(const TFtpTestServer& server, const TScratchDir& dir, const QString& dirImage,
                     quint16 port = 0, bool passive = false) {
    TProject project;
    project.LoadFromFile(Example);
    const TFtpConfig ftp = server.Config(passive);
    project.FtpConfig.Host = ftp.Host;
    project.FtpConfig.User = ftp.User;
    project.FtpConfig.Password = ftp.Password;
    project.FtpConfig.Port = port ? port : ftp.Port;
    project.FtpConfig.Passive = ftp.Passive;
    project.FtpConfig.DirHtml = server.RemoteHome();
    project.FtpConfig.DirImage = dirImage;
    const QString path = dir.File("project.PT");
    project.SaveToFile(path);
    return path;
}

testsupport::TCommandResult Publish(const QString& project, const QStringList& extra = {}) {
    return RunOrvaneMake(QStringList{"publish", project, "--template", "#1", "--values", Values,
                                     "--page", "news.html"} +
                         extra);
}

// The page and pictures as orvane-make page writes them locally, into dir/local.
void MakeLocalPage(const QString& project, const TScratchDir& dir) {
    const auto page = RunOrvaneMake(
        {"page", project, "--template", "#1", "--values", Values, "--out", dir.File("local")});
    ASSERT_EQ(page.ExitCode, 0) << page.Err.toStdString();
}

class OrvaneMakePublishTest : public testing::TestWithParam<TKind> {
protected:
    void SetUp() override {
        testsupport::EnsureCoreApplication();
        if (!TFtpTestServer::IsInstalled(GetParam()))
            GTEST_SKIP() << "server not installed";
        FServer = std::make_unique<TFtpTestServer>(GetParam());
        FServer->PutFolder("img");
    }
    QString Project(const QString& dirImage, quint16 port = 0) {
        return WriteProject(*FServer, FDir, dirImage, port);
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
    MakeLocalPage(project, FDir);
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

// A server that refuses active data connections, as seen from behind a router: the project's
// passive setting gets everything there; without it the command fails cleanly.
TEST(OrvaneMakePublishPassiveTest, PassiveStoresWhereActiveIsRefused) {
    testsupport::EnsureCoreApplication();
    if (!TFtpTestServer::IsInstalled(TKind::Pyftpdlib))
        GTEST_SKIP() << "server not installed";
    TFtpTestServer::TOptions options;
    options.RefuseActive = true;
    TFtpTestServer server(TKind::Pyftpdlib, options);
    server.PutFolder("img");
    const TScratchDir dir;
    const auto home = [&](const QString& relative) { return server.Home() + "/" + relative; };

    const auto active = Publish(WriteProject(server, dir, "/img"));
    EXPECT_EQ(active.ExitCode, 1);
    EXPECT_TRUE(active.Err.contains("データ接続を準備できませんでした。\n500"))
        << active.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(home("news.html")));

    const QString project = WriteProject(server, dir, "/img", 0, true);
    const auto passive = Publish(project);
    ASSERT_EQ(passive.ExitCode, 0) << passive.Err.toStdString();
    MakeLocalPage(project, dir);
    EXPECT_EQ(ReadFile(home("news.html")), ReadFile(dir.File("local/index.html")));
    EXPECT_EQ(ReadFile(home("img/logo.png")), ReadFile(dir.File("local/logo.png")));
    EXPECT_EQ(ReadFile(home("img/yuuhi-small.jpg")), ReadFile(dir.File("local/yuuhi-small.jpg")));
}

INSTANTIATE_TEST_SUITE_P(Servers, OrvaneMakePublishTest,
                         testing::Values(TKind::Pyftpdlib, TKind::Vsftpd), [](const auto& info) {
                             return TFtpTestServer::KindName(info.param).toStdString();
                         });

}  // namespace
