#pragma once
// What ties a test's outside helpers to the test process: one folder for all its temporary
// files, removed by a keeper process as soon as the test process ends, however it ends, and
// child processes that are killed when it dies.

#include <sys/types.h>
#include <QProcess>
#include <QString>

namespace testsupport {

// This process's folder for temporary files (created on first use). Folders of earlier runs
// whose process is gone are removed at the same time.
QString FixtureRoot();

// Removes a folder with everything in it, whatever bytes the names are made of.
void RemoveTree(const QString& path);

// Makes the process started next by `process` die with this process (PR_SET_PDEATHSIG) and
// gives it a process group of its own.
void TieToThisProcess(QProcess& process);

// The TCP port a process listens on, read from its open sockets in /proc; 0 while it listens
// on none. A server that binds port 0 is found this way without any free-port guessing.
quint16 ListeningPort(pid_t pid);

}  // namespace testsupport
