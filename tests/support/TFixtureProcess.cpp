#include "TFixtureProcess.h"

#include <fcntl.h>
#include <ftw.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <stdexcept>

extern char** environ;

namespace testsupport {

namespace {

const char* const Python = "/usr/bin/python3";

// Removes the folders of runs whose process no longer exists ("<pid>-<token>").
void SweepDeadRuns(const QString& base) {
    const QStringList runs = QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& run : runs) {
        bool isPid = false;
        const int pid = run.section(u'-', 0, 0).toInt(&isPid);
        if (isPid && !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
            QDir(base + u'/' + run).removeRecursively();
    }
}

// The keeper reads a pipe only this process writes to; end of file means this process is
// gone, and the keeper removes the folder. It runs in a session of its own, so a signal to the
// test's process group leaves it to do its work.
void StartKeeper(const QString& folder) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return;  // no keeper: the folder's objects still clean up on a normal end
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    const QByteArray script = ORVANE_TEST_SUPPORT_DIR "/fixture_keeper.py";
    const QByteArray path = QFile::encodeName(folder);
    char* argv[] = {const_cast<char*>(Python), const_cast<char*>(script.constData()),
                    const_cast<char*>(path.constData()), nullptr};
    pid_t keeper = 0;
    ::posix_spawn(&keeper, Python, &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(pipeEnds[0]);
    // The write end stays open, unused, for the life of this process.
}

QSet<QByteArray> SocketInodes(pid_t pid) {
    QSet<QByteArray> inodes;
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString& fd : QDir(fds).entryList(QDir::System | QDir::NoDotAndDotDot)) {
        char target[64] = {};
        const QByteArray link = QFile::encodeName(fds + u'/' + fd);
        const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
        const QByteArray text(target, n > 0 ? n : 0);
        if (text.startsWith("socket:["))
            inodes.insert(text.mid(8, text.size() - 9));
    }
    return inodes;
}

}  // namespace

QString FixtureRoot() {
    static const QString root = [] {
        const QString base = QDir::tempPath() + QStringLiteral("/orvane-tests");
        QDir().mkpath(base);
        SweepDeadRuns(base);
        const QString token = QString::number(QRandomGenerator::system()->generate(), 16);
        const QString path = base + QStringLiteral("/%1-").arg(::getpid()) + token;
        if (!QDir().mkpath(path))
            throw std::runtime_error("cannot create the fixture folder " + path.toStdString());
        StartKeeper(path);
        return path;
    }();
    return root;
}

void RemoveTree(const QString& path) {
    // nftw works on bytes: names that are not UTF-8 (a server's Shift_JIS folders) go as well.
    const auto remove = [](const char* entry, const struct stat*, int, FTW*) {
        ::remove(entry);
        return 0;
    };
    ::nftw(QFile::encodeName(path).constData(), remove, 16, FTW_DEPTH | FTW_PHYS);
}

void TieToThisProcess(QProcess& process) {
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The parent may have died before the line above; then nobody would send the signal.
        if (::getppid() != parent)
            ::_exit(1);
    });
}

quint16 ListeningPort(pid_t pid) {
    const QSet<QByteArray> inodes = SocketInodes(pid);
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (inodes.isEmpty() || !table.open(QIODevice::ReadOnly))
        return 0;
    // "sl local_address rem_address st tx:rx tr:when retrnsmt uid timeout inode ..."
    table.readLine();
    for (QByteArray line = table.readLine(); !line.isEmpty(); line = table.readLine()) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 9 && fields[3] == "0A" && inodes.contains(fields[9]))
            return quint16(fields[1].split(':').last().toUInt(nullptr, 16));
    }
    return 0;
}

}  // namespace testsupport
