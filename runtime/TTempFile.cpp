#include "TTempFile.h"

#include <QFile>

#include "TFileUtility.h"

TTempFile::TTempFile(const QString& extension) : FFileName(TFileUtility::CreateTempFile()) {
    if (extension.isEmpty()) {
        return;
    }
    const QString renamed = FFileName.left(FFileName.lastIndexOf(u'.')) + extension;
    // The rename never replaces an existing file. When it fails the reserved file is kept, so
    // the destructor removes our own file and never somebody else's.
    if (QFile::rename(FFileName, renamed)) {
        FFileName = renamed;
    }
}

TTempFile::~TTempFile() {
    QFile::remove(FFileName);
}
