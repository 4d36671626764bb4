#include "TCommandRun.h"

#include "TFixtureProcess.h"

#include <QProcess>
#include <stdexcept>

namespace testsupport {

TCommandResult RunOrvaneMake(const QStringList& arguments, int timeoutMs) {
    QProcess process;
    // Its temporary files go into this process's fixture folder, and it dies with this process.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), FixtureRoot());
    process.setProcessEnvironment(environment);
    TieToThisProcess(process);
    process.start(QStringLiteral(ORVANE_MAKE_PATH), arguments);
    if (!process.waitForStarted(10000))
        throw std::runtime_error("orvane-make did not start");
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        throw std::runtime_error("orvane-make did not finish in time");
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace testsupport
