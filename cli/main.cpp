// orvane-make: page generation and publishing without a window, for scripts and batch work.

#include <QCoreApplication>
#include <QJsonDocument>

#include <cstdio>

#include "TCliError.h"
#include "TCommandLine.h"
#include "TPageJob.h"
#include "TProjectInfo.h"
#include "TPublishCommand.h"

namespace {

void Print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int Run(const TCommandLine& line) {
    if (line.Command == u"help") {
        Print(stdout, TCommandLine::Help());
        return 0;
    }
    if (line.Command == u"info") {
        const auto project = LoadProjectFile(line.Project);
        Print(stdout, QString::fromUtf8(QJsonDocument(ProjectToJson(*project)).toJson()));
        return 0;
    }
    if (line.Command == u"publish")
        return RunPublish(line);
    const TPageJob job(line);
    for (const QString& path : job.WriteTo(line.OutDir, line.PageFile))
        Print(stdout, path + u'\n');
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return Run(TCommandLine::Parse(app.arguments()));
    } catch (const TCliError& e) {
        Print(stderr, e.Message() + u'\n');
        return e.Status();
    } catch (const TError& e) {
        Print(stderr, e.Message() + u'\n');
        return TCliError::Failure;
    } catch (const std::exception& e) {
        Print(stderr, QString::fromUtf8(e.what()) + u'\n');
        return TCliError::Failure;
    }
}
