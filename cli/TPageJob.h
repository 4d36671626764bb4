#pragma once
// One page made from a project, a template and a values file, the way the preview makes it:
// values checked in item order, the page generated with its pictures in a scratch folder of
// its own, ready to be written out or uploaded.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

#include "TPageGeneration.h"
#include "TProject.h"
#include "TTempDir.h"

struct TCommandLine;

class TPageJob {
public:
    // Throws TCliError: status 2 with the message of the first failed entry check, status 1
    // for anything else (project, template, values file, generation).
    explicit TPageJob(const TCommandLine& line);

    const TProject& Project() const { return *FProject; }
    const TGeneratedPage& Page() const { return FPage; }
    // The page text in its template's code page, without a byte-order mark.
    QByteArray PageBytes() const;
    // Writes the page as `pageFile` and the pictures beside it into `dir` (created when
    // missing), each file replaced in one step; returns the paths written.
    QStringList WriteTo(const QString& dir, const QString& pageFile) const;

private:
    std::unique_ptr<TProject> FProject;
    TTempDir FFolder;
    TGeneratedPage FPage;
};

// Loads an existing project file; throws TCliError (status 1) when there is none.
std::unique_ptr<TProject> LoadProjectFile(const QString& path);
