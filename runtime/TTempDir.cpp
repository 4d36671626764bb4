#include "TTempDir.h"

#include <QDir>
#include <QFile>

#include "TError.h"
#include "TFileUtility.h"

TTempDir::TTempDir() {
    // A reserved file name is unique in the temporary folder; the folder takes its place.
    const QString reserved = TFileUtility::CreateTempFile();
    QFile::remove(reserved);
    // mkdir fails when another process took the name in between, which is reported rather
    // than sharing that folder.
    if (!QDir().mkdir(reserved, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        throw TError("一時ファイルの作成に失敗しました。");
    }
    FPath = reserved + u'/';
}

TTempDir::~TTempDir() {
    TFileUtility::DeleteFile(FPath, false);
}
