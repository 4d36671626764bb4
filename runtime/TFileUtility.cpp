#include "TFileUtility.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include "TCodePage.h"
#include "TError.h"

namespace {

// The temporary folder may be shared with other users; what the program writes there is
// nobody else's business.
constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

// Something stands at the path, even a symbolic link that points nowhere.
bool Occupied(const QFileInfo& info) {
    return info.exists() || info.isSymLink();
}

// When Qt cannot set up the home trash it moves the item into "files" below the working
// folder and reports success. So the data folder that holds the trash is made first, and a
// place in the trash that is not a full path counts as a failure.
bool MoveToTrash(const QString& path) {
    const QString dataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataFolder.isEmpty() || !QDir().mkpath(dataFolder)) {
        return false;
    }
    QString placeInTrash;
    return QFile::moveToTrash(path, &placeInTrash) && QFileInfo(placeInTrash).isAbsolute();
}

bool RemovePath(const QFileInfo& info, bool toRecycleBin) {
    if (toRecycleBin) {
        return MoveToTrash(info.filePath());
    }
    // A link is removed itself; its target is left alone.
    if (info.isDir() && !info.isSymLink()) {
        return QDir(info.filePath()).removeRecursively();
    }
    return QFile::remove(info.filePath());
}

}  // namespace

QString TFileUtility::GetTempPath() {
    const QString path = QDir::tempPath();
    if (path.isEmpty()) {
        throw TError("Cannot get temporary direcotry.");
    }
    return path.endsWith(u'/') ? path : path + u'/';
}

QString TFileUtility::CreateTempFile(const QString& folder, const QString& prefix) {
    const QDir dir(folder.isEmpty() ? GetTempPath() : folder);
    const QString stem = prefix.left(3);
    // Numbers run through 1 to FFFF once, from a random start.
    quint32 number = QRandomGenerator::global()->bounded(1u, 0x10000u);
    for (int attempt = 0; attempt < 0xFFFF; ++attempt, number = number % 0xFFFF + 1) {
        const QString path = dir.absoluteFilePath(
            stem + QString::number(number, 16).toUpper().rightJustified(4, u'0') + ".TMP");
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly)) {
            return path;
        }
        // Only a name already taken is worth trying again with another number.
        if (!Occupied(QFileInfo(path))) {
            break;
        }
    }
    throw TError("一時ファイルの作成に失敗しました。");
}

bool TFileUtility::DeleteFiles(const QStringList& paths, bool toRecycleBin) {
    bool allRemoved = true;
    for (const QString& path : paths) {
        // Without a trailing separator, so that a link to a folder is seen as the link.
        const QFileInfo info(path.isEmpty() ? path : QDir::cleanPath(path));
        if (Occupied(info)) {
            allRemoved = RemovePath(info, toRecycleBin) && allRemoved;
        }
    }
    return allRemoved;
}

bool TFileUtility::DeleteFile(const QString& path, bool toRecycleBin) {
    return DeleteFiles({path}, toRecycleBin);
}

qint64 TFileUtility::GetFileSize(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() : 0;
}

void TFileUtility::SaveTextToFile(const QString& path, const QString& text, int codePage) {
    // Encoded first, so that an unsupported code page leaves an existing file alone.
    const QByteArray bytes = TCodePage::Encode(text, codePage);
    QFile file(path);
    const QString fullName = QFileInfo(path).absoluteFilePath();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw TError(
            QString("ファイル \"%1\" を作成できません。%2").arg(fullName, file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        throw TError(
            QString("ファイル \"%1\" に書き込めません。%2").arg(fullName, file.errorString()));
    }
}
