#include "TFtpTestServer.h"

#include "TFixtureProcess.h"

#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QThread>
#include <stdexcept>

namespace testsupport {

namespace {

const QString Vsftpd = QStringLiteral("/usr/sbin/vsftpd");
const QString Python = QStringLiteral("/usr/bin/python3");

// Processes whose parent is the given one, read from /proc.
QList<pid_t> ChildrenOf(pid_t parent) {
    QList<pid_t> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool isPid = false;
        const pid_t pid = pid_t(entry.toInt(&isPid));
        if (!isPid)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, so count from its end.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toInt() == parent)
            children << pid;
    }
    return children;
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

TFtpTestServer::TFtpTestServer(TKind kind) : TFtpTestServer(kind, TOptions{}) {}

TFtpTestServer::TFtpTestServer(TKind kind, TOptions options)
    : FKind(kind),
      FOptions(options),
      FToken(QString::number(QRandomGenerator::system()->generate64(), 16)),
      FDir(FixtureRoot() + QStringLiteral("/ftp-XXXXXX")) {
    EnsureCoreApplication();
    if (!FDir.isValid())
        throw std::runtime_error("no temporary folder for the FTP server");
    if (kind == TKind::Vsftpd) {
        StartVsftpd();
    } else {
        StartPyftpdlib();
    }
    WaitUntilGreeting();
}

TFtpTestServer::~TFtpTestServer() {
    Kill();
    // Writable again, so that the temporary folder can go.
    for (const QString& folder : FLockedFolders) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    RemoveTree(FDir.path());
}

TFtpConfig TFtpTestServer::Config(bool passive) const {
    TFtpConfig config;
    config.Host = QStringLiteral("127.0.0.1");
    config.User = FUser;
    config.Password = FPassword;
    config.Port = FPort;
    config.Passive = passive;
    return config;
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
    QStringList arguments = {QStringLiteral(ORVANE_TEST_SUPPORT_DIR "/ftp_test_server.py"),
                             QStringLiteral("--home"),
                             FHome,
                             QStringLiteral("--user"),
                             FUser,
                             QStringLiteral("--password"),
                             FPassword,
                             QStringLiteral("--readonly"),
                             ReadOnlyFolder(),
                             QStringLiteral("--banner"),
                             QStringLiteral("orvane-test ") + FToken};
    if (FOptions.ShiftJisWire)
        arguments << QStringLiteral("--encoding") << QStringLiteral("cp932");
    if (FOptions.RefuseActive)
        arguments << QStringLiteral("--refuse-active");
    if (FOptions.DotEntries)
        arguments << QStringLiteral("--dot-entries");
    Launch(Python, arguments);
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
        QStringLiteral("listen_port=0"),  // the kernel's choice, read back from the socket
        QStringLiteral("ftpd_banner=orvane-test ") + FToken,
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
        QStringLiteral("pasv_enable=YES"),
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
        FUid = int(account->pw_uid);
        FGid = int(account->pw_gid);
        HandOver(FHome);
    } else {
        // Without root there is no chroot: the server shows the real paths.
        config << QStringLiteral("run_as_launching_user=YES");
        FRemoteHome = FHome;
        FLockedFolders = {top, FHome + QStringLiteral("/") + ReadOnlyFolder()};
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

void TFtpTestServer::HandOver(const QString& path) const {
    if (FUid < 0)
        return;
    if (::chown(QFile::encodeName(path).constData(), uid_t(FUid), gid_t(FGid)) != 0) {
        throw std::runtime_error("cannot hand " + path.toStdString() + " to the ftp account");
    }
}

void TFtpTestServer::PutFolder(const QString& relative) const {
    const QString path = FHome + QStringLiteral("/") + relative;
    MakeFolder(path);
    HandOver(path);
}

void TFtpTestServer::PutFolderBytes(const QByteArray& relative) const {
    const QByteArray path = QFile::encodeName(FHome) + '/' + relative;
    if (::mkdir(path.constData(), 0755) != 0)
        throw std::runtime_error("cannot create " + path.toStdString());
    if (FUid >= 0 && ::chown(path.constData(), uid_t(FUid), gid_t(FGid)) != 0)
        throw std::runtime_error("cannot hand " + path.toStdString() + " to the ftp account");
}

void TFtpTestServer::PutFile(const QString& relative, const QByteArray& bytes) const {
    const QString path = FHome + QStringLiteral("/") + relative;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) < 0) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    file.close();
    HandOver(path);
}

void TFtpTestServer::Launch(const QString& program, const QStringList& arguments) {
    // A process group of its own, so that Kill reaches the server's session processes too,
    // and death with the test process.
    TieToThisProcess(FProcess);
    const QString log = FDir.filePath(QStringLiteral("server.log"));
    FProcess.setStandardOutputFile(log);
    FProcess.setStandardErrorFile(log);
    FProcess.start(program, arguments);
    if (!FProcess.waitForStarted(10000)) {
        throw std::runtime_error("cannot start " + program.toStdString());
    }
}

void TFtpTestServer::WaitUntilGreeting() {
    const QByteArray greeting = "220 orvane-test " + FToken.toLatin1();
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && FProcess.state() == QProcess::Running) {
        FPort = ListeningPort(pid_t(FProcess.processId()));
        QTcpSocket probe;
        if (FPort != 0) {
            probe.connectToHost(QHostAddress::LocalHost, FPort);
            if (probe.waitForConnected(200) && probe.waitForReadyRead(2000) &&
                probe.readLine().startsWith(greeting)) {
                return;
            }
        }
        probe.abort();
        QThread::msleep(20);
    }
    QFile log(FDir.filePath(QStringLiteral("server.log")));
    log.open(QIODevice::ReadOnly);
    throw std::runtime_error(KindName(FKind).toStdString() +
                             " did not start: " + log.readAll().toStdString());
}

void TFtpTestServer::Kill() {
    if (FProcess.state() == QProcess::NotRunning)
        return;
    const pid_t server = pid_t(FProcess.processId());
    // vsftpd gives each session a process group of its own, led by a child of the listener.
    for (const pid_t session : ChildrenOf(server))
        ::kill(-session, SIGKILL);
    ::kill(-server, SIGKILL);
    FProcess.waitForFinished(5000);
}

}  // namespace testsupport
