#pragma once
// Runs the real orvane-make program with arguments and collects what it printed.

#include <QString>
#include <QStringList>

namespace testsupport {

struct TCommandResult {
    int ExitCode = -1;
    QString Out;
    QString Err;
};

// Bounded in time: a command that runs longer than `timeoutMs` is killed and fails the run.
TCommandResult RunOrvaneMake(const QStringList& arguments, int timeoutMs = 60000);

}  // namespace testsupport
