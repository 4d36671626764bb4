// The FTP client against real servers (pyftpdlib, vsftpd) and against a scripted peer for
// replies real servers do not give.

#include "TError.h"
#include "TFtpClient.h"
#include "TFtpTestServer.h"
#include "TScriptedFtpServer.h"
#include "TTestSupport.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <memory>

using testsupport::TFtpTestServer;
using testsupport::TScriptedFtpServer;
using TKind = TFtpTestServer::TKind;
using namespace Qt::StringLiterals;

namespace {

constexpr int TimeoutMs = 5000;

// Bytes a text-mode transfer would spoil: line ends, NUL bytes, every byte value.
QByteArray BinaryBytes(qsizetype size) {
    QByteArray bytes;
    bytes.reserve(size);
    for (qsizetype i = 0; bytes.size() < size; ++i) {
        bytes += (i % 7 == 0) ? QByteArray("\r\n", 2) : QByteArray(1, char(i * 31 % 256));
        if (i % 11 == 0)
            bytes += '\0';
    }
    bytes.truncate(size);
    return bytes;
}

// The message of the TError the action throws; empty when it throws none.
template <typename F>
QString ErrorOf(F&& action) {
    try {
        action();
    } catch (const TError& e) {
        return e.Message();
    }
    return {};
}

class TFtpClientServerTest : public ::testing::TestWithParam<TKind> {
protected:
    void SetUp() override {
        if (!TFtpTestServer::IsInstalled(GetParam()))
            GTEST_SKIP() << "server not installed";
        FServer = std::make_unique<TFtpTestServer>(GetParam());
        FClient.SetStatusHandler([this](const QString& text) { FStatus << text; });
    }
    // Logs in and goes to the server's writable folder.
    void Connect() {
        FClient.Connect(FServer->Login());
        FClient.Cwd(FServer->RemoteHome());
    }
    QString Local(const QString& relative) const { return FServer->Home() + u'/' + relative; }
    QString Remote(const QString& relative) const {
        return QDir::cleanPath(FServer->RemoteHome() + u'/' + relative);
    }

    std::unique_ptr<TFtpTestServer> FServer;
    TFtpClient FClient{TimeoutMs};
    QStringList FStatus;
    testsupport::TScratchDir FLocal;
};

TEST_P(TFtpClientServerTest, LogsInReportsEachStageAndRefusesBadLogin) {
    Connect();
    EXPECT_TRUE(FClient.IsConnected());
    FClient.Disconnect();
    EXPECT_FALSE(FClient.IsConnected());
    ASSERT_EQ(FStatus.size(), 6) << FStatus.join(u'|').toStdString();
    EXPECT_TRUE(FStatus[0].contains(u"127.0.0.1"));
    EXPECT_TRUE(FStatus[1].endsWith(u"に接続しています。"));
    EXPECT_EQ(FStatus.mid(2), (QStringList{u"接続しました。"_s, u"ログインしました。"_s,
                                           u"切断しています。"_s, u"切断しました。"_s}));

    const QString error = ErrorOf([&] { FClient.Connect(FServer->BadLogin()); });
    EXPECT_TRUE(error.startsWith(u"ログインできませんでした。\n530")) << error.toStdString();
    EXPECT_FALSE(FClient.IsConnected());
}

TEST_P(TFtpClientServerTest, ChangesFoldersAndReportsRefusals) {
    FServer->PutFolder(u"sub dir"_s);
    FServer->PutFolder(u"sub dir/日本語"_s);
    Connect();
    EXPECT_EQ(FClient.Pwd(), Remote(u"."_s));
    FClient.Cwd(u"sub dir"_s);
    FClient.Cwd(u"日本語"_s);
    EXPECT_EQ(FClient.Pwd(), Remote(u"sub dir/日本語"_s));
    FClient.Cdup();
    EXPECT_EQ(FClient.Pwd(), Remote(u"sub dir"_s));
    FClient.Cwd(u"/"_s);
    EXPECT_EQ(FClient.Pwd(), u"/");
    FClient.Cwd(FServer->RemoteHome());
    const QString error = ErrorOf([&] { FClient.Cwd(u"missing"_s); });
    EXPECT_TRUE(error.startsWith(u"フォルダを変更できませんでした。\n550")) << error.toStdString();
    EXPECT_TRUE(ErrorOf([&] { FClient.Cwd(u"a\r\nDELE x"_s); }).contains(u"改行"));
    EXPECT_EQ(FClient.Pwd(), Remote(u"."_s));
}

TEST_P(TFtpClientServerTest, ListsFoldersAndFilesWithSizes) {
    FServer->PutFolder(u"pictures"_s);
    FServer->PutFile(u"ページ 1.html"_s, QByteArray(1234, 'x'));
    Connect();
    QList<TFtpListEntry> entries = FClient.List();
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.Name < b.Name; });
    QStringList names;
    for (const TFtpListEntry& e : entries)
        names << e.Name;
    ASSERT_EQ(names, (QStringList{u"pictures"_s, u"ro"_s, u"ページ 1.html"_s}));
    EXPECT_TRUE(entries[0].IsDir);
    EXPECT_TRUE(entries[0].Permissions.startsWith(u'd'));
    EXPECT_FALSE(entries[2].IsDir);
    EXPECT_EQ(entries[2].Size, 1234);
    EXPECT_TRUE(entries[2].ModifiedAt.isValid());
    EXPECT_TRUE(FStatus.contains(u"転送が終了しました。"_s));
}

TEST_P(TFtpClientServerTest, StoresBytesUnchangedAndReplacesWholeFiles) {
    const QString big = FLocal.File(u"big.bin"_s);
    testsupport::WriteFile(big, BinaryBytes(TFtpClient::StoreChunkBytes * 3 + 17));
    const QString small = FLocal.File(u"写真.jpg"_s);
    testsupport::WriteFile(small, BinaryBytes(100));
    const QString empty = FLocal.File(u"empty.txt"_s);
    testsupport::WriteFile(empty, {});
    Connect();
    FClient.Store(big, u"target.bin"_s);
    FClient.Store(small, u"target.bin"_s);  // replaces, no append
    FClient.Store(small, QString());        // the local file's own name
    FClient.Store(empty, QString());
    EXPECT_EQ(testsupport::ReadFile(Local(u"target.bin"_s)), BinaryBytes(100));
    EXPECT_EQ(testsupport::ReadFile(Local(u"写真.jpg"_s)), BinaryBytes(100));
    EXPECT_EQ(testsupport::ReadFile(Local(u"empty.txt"_s)), QByteArray());
    FClient.Store(big, u"big.bin"_s);
    EXPECT_EQ(testsupport::ReadFile(Local(u"big.bin"_s)), testsupport::ReadFile(big));
}

TEST_P(TFtpClientServerTest, StoreFailuresLeaveTheSessionUsable) {
    const QString file = FLocal.File(u"a.txt"_s);
    testsupport::WriteFile(file, "abc");
    Connect();
    FClient.Cwd(TFtpTestServer::ReadOnlyFolder());
    const QString refused = ErrorOf([&] { FClient.Store(file, QString()); });
    EXPECT_TRUE(refused.contains(u"\n55")) << refused.toStdString();
    const QString missing = ErrorOf([&] { FClient.Store(FLocal.File(u"none"_s), QString()); });
    EXPECT_TRUE(missing.contains(u"を開けません。")) << missing.toStdString();
    EXPECT_EQ(FClient.Pwd(), Remote(TFtpTestServer::ReadOnlyFolder()));
}

TEST_P(TFtpClientServerTest, PassiveListsAndStores) {
    const QString file = FLocal.File(u"p.bin"_s);
    testsupport::WriteFile(file, BinaryBytes(TFtpClient::StoreChunkBytes + 5));
    TFtpLogin login = FServer->Login();
    login.Passive = true;
    FClient.Connect(login);
    FClient.Cwd(FServer->RemoteHome());
    FClient.Store(file, QString());
    QStringList names;
    for (const TFtpListEntry& e : FClient.List())
        names << e.Name;
    EXPECT_TRUE(names.contains(u"p.bin"_s)) << names.join(u'|').toStdString();
    EXPECT_EQ(testsupport::ReadFile(Local(u"p.bin"_s)), testsupport::ReadFile(file));
}

TEST_P(TFtpClientServerTest, ServerGoneFailsWithinTheTimeout) {
    Connect();
    FServer->Kill();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(ErrorOf([&] { FClient.Pwd(); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { FClient.List(); }).isEmpty());
    EXPECT_LT(clock.elapsed(), 3 * TimeoutMs);
}

INSTANTIATE_TEST_SUITE_P(Servers, TFtpClientServerTest,
                         ::testing::Values(TKind::Pyftpdlib, TKind::Vsftpd), [](const auto& info) {
                             return TFtpTestServer::KindName(info.param).toStdString();
                         });

TEST(TFtpClientTest, ClosedPortIsAConnectionError) {
    testsupport::EnsureCoreApplication();
    const testsupport::TClosedPort closed;
    TFtpClient client(TimeoutMs);
    const QString error = ErrorOf([&] {
        client.Connect({u"127.0.0.1"_s, u"u"_s, {}, closed.Port()});
    });
    EXPECT_TRUE(error.startsWith(u"サーバーに接続できません。\n接続を拒否されました"))
        << error.toStdString();
}

// Names are resolved by the client, within its time-out.
TEST(TFtpClientTest, HostNamesAreResolvedWithinTheTimeout) {
    testsupport::EnsureCoreApplication();
    const testsupport::TClosedPort closed;
    TFtpClient client(TimeoutMs);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(ErrorOf([&] {
                    client.Connect({u"localhost"_s, u"u"_s, {}, closed.Port()});
                }).startsWith(u"サーバーに接続できません。"));
    const QString unknown = ErrorOf([&] {
        client.Connect({u"orvane-test.invalid"_s, u"u"_s, {}, closed.Port()});
    });
    EXPECT_TRUE(unknown.contains(u"orvane-test.invalid")) << unknown.toStdString();
    EXPECT_LT(clock.elapsed(), 3 * TimeoutMs);
}

// Scripted peers: each case is a script and what the client must make of it.
void Greet(TScriptedFtpServer::TSession& s) {
    s.Send("220-Welcome\r\n220-to the scripted server\r\n220 ready\r\n");
    s.ReadLine();  // USER
    s.Send("230 no password needed\r\n");
    s.ReadLine();  // FEAT
    s.Send("502 not implemented\r\n");
}

// Logs the client in and answers its TYPE I, PORT and transfer command; returns the PORT
// argument, where the script then opens the data connection.
QByteArray StartTransfer(TScriptedFtpServer::TSession& s) {
    Greet(s);
    s.ReadLine();  // TYPE I
    s.Send("200 binary\r\n");
    const QByteArray port = s.ReadLine().mid(5);
    s.Send("200 port ok\r\n");
    s.ReadLine();  // LIST or STOR
    s.Send("150 here it comes\r\n");
    return port;
}

TFtpLogin LoginTo(const TScriptedFtpServer& server) {
    return {u"127.0.0.1"_s, u"user"_s, u"pass"_s, server.Port()};
}

TEST(TFtpClientTest, SilentServerEndsInATimeOut) {
    testsupport::EnsureCoreApplication();
    TScriptedFtpServer server([](auto&) {});
    TFtpClient client(500);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(ErrorOf([&] { client.Connect(LoginTo(server)); }).contains(u"時間内"));
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST(TFtpClientTest, OverlongReplyLineFailsCleanly) {
    testsupport::EnsureCoreApplication();
    TScriptedFtpServer server([](auto& s) { s.Send("220 " + QByteArray(70 * 1024, 'a')); });
    TFtpClient client(TimeoutMs);
    EXPECT_TRUE(ErrorOf([&] { client.Connect(LoginTo(server)); }).contains(u"長すぎます"));
}

TEST(TFtpClientTest, MultiLineRepliesAndQuotedPaths) {
    testsupport::EnsureCoreApplication();
    TScriptedFtpServer server([](auto& s) {
        Greet(s);
        s.ReadLine();
        s.Send("257-\"/not this\"\r\n 257 inner line\r\n257 \"/a\"\"b\" is current\r\n");
        s.ReadLine();
        s.Send("257 \"/Web\" created\r\n");
    });
    TFtpClient client(TimeoutMs);
    client.Connect(LoginTo(server));
    EXPECT_EQ(client.Pwd(), u"/not this");
    EXPECT_EQ(client.Pwd(), u"/Web");
}

// The listing comes first from a stranger on another loopback address, then from the server.
TEST(TFtpClientTest, DataConnectionOnlyFromTheServer) {
    testsupport::EnsureCoreApplication();
    TScriptedFtpServer server([](auto& s) {
        const QByteArray port = StartTransfer(s);
        s.SendData(port, "127.0.0.2", "-rw-r--r-- 1 u g 9 Jan 1 2020 intruder\r\n");
        s.SendData(port, "127.0.0.1", "-rw-r--r-- 1 u g 5 Jan 1 2020 real\r\n");
        s.Send("226 done\r\n");
    });
    TFtpClient client(TimeoutMs);
    client.Connect(LoginTo(server));
    const QList<TFtpListEntry> entries = client.List();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].Name, u"real");
}

TEST(TFtpClientTest, MissingDataConnectionEndsTheSession) {
    testsupport::EnsureCoreApplication();
    TScriptedFtpServer server([](auto& s) { StartTransfer(s); });  // and no data comes
    TFtpClient client(500);
    client.Connect(LoginTo(server));
    EXPECT_TRUE(ErrorOf([&] { client.List(); }).contains(u"データ接続が時間内にありませんでした"));
    EXPECT_FALSE(client.IsConnected());
}

TEST(TFtpClientTest, OversizedListingFailsCleanly) {
    testsupport::EnsureCoreApplication();
    TScriptedFtpServer server([](auto& s) {
        const QByteArray port = StartTransfer(s);
        s.SendData(port, "127.0.0.1", QByteArray(TFtpClient::MaxListingBytes + 4096, 'x'));
        s.Send("426 aborted\r\n");
    });
    TFtpClient client(TimeoutMs);
    client.Connect(LoginTo(server));
    const QString error = ErrorOf([&] { client.List(); });
    EXPECT_TRUE(error.contains(u"一覧が大きすぎます")) << error.toStdString();
}

// A script that throws is reported as a failure of its test; the test program goes on.
TEST(TFtpClientTest, ScriptExceptionBecomesATestFailure) {
    testsupport::EnsureCoreApplication();
    EXPECT_NONFATAL_FAILURE(
        {
            TScriptedFtpServer server([](auto&) -> void { throw std::runtime_error("boom"); });
            TFtpClient client(300);
            ErrorOf([&] { client.Connect(LoginTo(server)); });
        },
        "boom");
}

}  // namespace

namespace {

// A peer that never stops its first line: the client gives up at the line bound.
TEST(TFtpClientTest, EndlessReplyLineFailsCleanly) {
    testsupport::EnsureCoreApplication();
    TScriptedFtpServer server([](auto& s) {
        s.Send("220 ");
        const QByteArray chunk(64 * 1024, 'a');
        for (int i = 0; i < 300; ++i)
            s.Send(chunk);  // bounded; sends fail once the client is gone
    });
    TFtpClient client(TimeoutMs);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(ErrorOf([&] { client.Connect(LoginTo(server)); }).contains(u"長すぎます"));
    EXPECT_LT(clock.elapsed(), TimeoutMs);
}

// The server takes the data connection of a STOR, drops it at once and says nothing more: the
// store fails, waiting for the server's word no longer than the time-out.
TEST(TFtpClientTest, ServerClosingDuringAStoreIsAnError) {
    testsupport::EnsureCoreApplication();
    TScriptedFtpServer server([](auto& s) {
        const QByteArray port = StartTransfer(s);
        s.SendData(port, "127.0.0.1", QByteArray());
    });
    testsupport::TScratchDir dir;
    testsupport::WriteFile(dir.File("big.bin"), BinaryBytes(8 * 1024 * 1024));
    TFtpClient client(1000);
    client.Connect(LoginTo(server));
    QElapsedTimer clock;
    clock.start();
    const QString error = ErrorOf([&] { client.Store(dir.File("big.bin"), u"big.bin"_s); });
    EXPECT_TRUE(error.contains(u"転送が完了しませんでした。")) << error.toStdString();
    EXPECT_LT(clock.elapsed(), 3000);
}

}  // namespace
