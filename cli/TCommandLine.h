#pragma once
// The arguments of orvane-make: a command, the project and the options of that command.

#include <QString>
#include <QStringList>

struct TCommandLine {
    QString Command;  // "info", "page", "publish" or "help"
    QString Project;
    QString Template;
    QString Values;
    QString OutDir;
    QString PageFile = QStringLiteral("index.html");
    QString RemotePage;
    bool Overwrite = false;
    bool KeepGoing = false;

    // Throws TCliError (status 1) naming the wrong or missing argument.
    static TCommandLine Parse(const QStringList& arguments);
    static QString Help();
};
