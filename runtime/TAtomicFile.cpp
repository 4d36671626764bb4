#include "TAtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "TError.h"

namespace {

QString ResolveLinks(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    // A dangling link still names where the file belongs.
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

[[noreturn]] void Fail(const QString& path, const QString& reason) {
    throw TError(QStringLiteral("ファイル %1 を作成できません。%2")
                     .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason));
}

}  // namespace

void TAtomicFile::Write(const QString& path, const QByteArray& bytes) {
    const QString target = ResolveLinks(path);
    QSaveFile file(target);
    // Without this QSaveFile would fall back to writing the file in place where the folder
    // does not allow new files; an in-place write is exactly what must not happen.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        Fail(target, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        Fail(target, reason);
    }
    if (!file.commit())
        Fail(target, file.errorString());
}
