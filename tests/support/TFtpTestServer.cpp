#include "TFtpTestServer.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <stdexcept>

namespace testsupport {

namespace {

const QString Vsftpd = QStringLiteral("/usr/sbin/vsftpd");
const QString Python = QStringLiteral("/usr/bin/python3");

quint16 FreePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("no free port");
    return probe.serverPort();
}

void MakeFolder(const QString& path) {
    if (!QDir().mkpath(path))
        throw std::runtime_error("cannot create " + path.toStdString());
}

}  // namespace

void EnsureCoreApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "orvane-test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

bool TFtpTestServer::IsInstalled(TKind kind) {
    const QString program = kind == TKind::Vsftpd ? Vsftpd : Python;
    return QFileInfo(program).isExecutable();
}

QString TFtpTestServer::KindName(TKind kind) {
    return kind == TKind::Vsftpd ? QStringLiteral("vsftpd") : QStringLiteral("pyftpdlib");
}

TFtpTestServer::TFtpTestServer(TKind kind) : FKind(kind) {
    EnsureCoreApplication();
    if (!FDir.isValid())
        throw std::runtime_error("no temporary folder for the FTP server");
    FPort = FreePort();
    if (kind == TKind::Vsftpd) {
        StartVsftpd();
    } else {
        StartPyftpdlib();
    }
    WaitUntilAccepting();
}

TFtpTestServer::~TFtpTestServer() {
    Kill();
}

TFtpLogin TFtpTestServer::BadLogin() const {
    TFtpLogin login = Login();
    if (FKind == TKind::Vsftpd)
        login.User = QStringLiteral("orvane-stranger");
    login.Password = QStringLiteral("wrong");
    return login;
}

void TFtpTestServer::StartPyftpdlib() {
    FHome = FDir.filePath(QStringLiteral("home"));
    FRemoteHome = QStringLiteral("/");
    MakeFolder(FHome + QStringLiteral("/") + ReadOnlyFolder());
    FUser = QStringLiteral("orvane");
    FPassword = QStringLiteral("geheim");
    Launch(Python, {QStringLiteral(ORVANE_TEST_SUPPORT_DIR "/ftp_test_server.py"),
                    QStringLiteral("--port"), QString::number(FPort), QStringLiteral("--home"),
                    FHome, QStringLiteral("--user"), FUser, QStringLiteral("--password"), FPassword,
                    QStringLiteral("--readonly"), ReadOnlyFolder()});
}

// Anonymous sessions with upload and overwrite rights in the home folder. As root, vsftpd
// runs them as the "ftp" account (or "nobody"), so the home belongs to that account and the
// read-only folder stays root's; as another user, everything runs as that user.
void TFtpTestServer::StartVsftpd() {
    const QString top = FDir.filePath(QStringLiteral("top"));
    FHome = top + QStringLiteral("/pub");
    FRemoteHome = QStringLiteral("/pub");
    MakeFolder(FHome + QStringLiteral("/") + ReadOnlyFolder());
    FUser = QStringLiteral("anonymous");
    FPassword = QStringLiteral("orvane@example.invalid");
    const QString empty = FDir.filePath(QStringLiteral("empty"));
    MakeFolder(empty);
    QStringList config = {
        QStringLiteral("listen=YES"),
        QStringLiteral("listen_ipv6=NO"),
        QStringLiteral("listen_address=127.0.0.1"),
        QStringLiteral("listen_port=%1").arg(FPort),
        QStringLiteral("background=NO"),
        QStringLiteral("anonymous_enable=YES"),
        QStringLiteral("no_anon_password=YES"),
        QStringLiteral("local_enable=NO"),
        QStringLiteral("write_enable=YES"),
        QStringLiteral("anon_upload_enable=YES"),
        QStringLiteral("anon_mkdir_write_enable=YES"),
        QStringLiteral("anon_other_write_enable=YES"),
        QStringLiteral("anon_umask=022"),
        QStringLiteral("anon_root=") + top,
        QStringLiteral("secure_chroot_dir=") + empty,
        QStringLiteral("pasv_enable=NO"),
        QStringLiteral("connect_from_port_20=NO"),
        QStringLiteral("seccomp_sandbox=NO"),
        QStringLiteral("isolate=NO"),
        QStringLiteral("isolate_network=NO"),
        QStringLiteral("xferlog_enable=NO"),
    };
    if (::geteuid() == 0) {
        const passwd* account = ::getpwnam("ftp");
        if (!account)
            account = ::getpwnam("nobody");
        if (!account)
            throw std::runtime_error("vsftpd needs an \"ftp\" or \"nobody\" account");
        config << QStringLiteral("ftp_username=") + QString::fromLocal8Bit(account->pw_name);
        if (::chown(QFile::encodeName(FHome).constData(), account->pw_uid, account->pw_gid) != 0) {
            throw std::runtime_error("cannot hand the home folder to the ftp account");
        }
    } else {
        config << QStringLiteral("run_as_launching_user=YES");
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner;
        QFile::setPermissions(top, readOnly);
        QFile::setPermissions(FHome + QStringLiteral("/") + ReadOnlyFolder(), readOnly);
    }
    const QString configFile = FDir.filePath(QStringLiteral("vsftpd.conf"));
    QFile file(configFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(config.join(u'\n').toUtf8() + '\n') < 0) {
        throw std::runtime_error("cannot write the vsftpd configuration");
    }
    file.close();
    Launch(Vsftpd, {configFile});
}

void TFtpTestServer::Launch(const QString& program, const QStringList& arguments) {
    // A process group of its own, so that Kill reaches the server's session processes too.
    FProcess.setChildProcessModifier([] { ::setsid(); });
    const QString log = FDir.filePath(QStringLiteral("server.log"));
    FProcess.setStandardOutputFile(log);
    FProcess.setStandardErrorFile(log);
    FProcess.start(program, arguments);
    if (!FProcess.waitForStarted(10000)) {
        throw std::runtime_error("cannot start " + program.toStdString());
    }
}

void TFtpTestServer::WaitUntilAccepting() {
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (FProcess.state() != QProcess::Running)
            break;
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, FPort);
        if (probe.waitForConnected(200) && probe.waitForReadyRead(2000) &&
            probe.readLine().startsWith("220")) {
            return;
        }
        probe.abort();
        QThread::msleep(50);
    }
    QFile log(FDir.filePath(QStringLiteral("server.log")));
    log.open(QIODevice::ReadOnly);
    throw std::runtime_error(KindName(FKind).toStdString() +
                             " did not start: " + log.readAll().toStdString());
}

void TFtpTestServer::Kill() {
    if (FProcess.state() == QProcess::NotRunning)
        return;
    ::kill(-pid_t(FProcess.processId()), SIGKILL);
    FProcess.waitForFinished(5000);
}

}  // namespace testsupport
