#include "TAtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

[[noreturn]] void Fail(const QString& path, int error) {
    throw TError(QStringLiteral("ファイル \"%1\" を作成できません。%2")
                     .arg(QFileInfo(path).absoluteFilePath(), SystemReason(error)));
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Opens a new sibling of `target` that no other process can have taken.
int OpenSibling(const QByteArray& target, QByteArray& sibling) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        sibling = target + ".part" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        const int fd = ::open(sibling.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

void TAtomicFile::Write(const QString& path, const QByteArray& bytes, TFlush flush) {
    const QString resolved = ResolveLinks(path);
    const QByteArray target = QFile::encodeName(resolved);
    struct stat old {};
    const bool existed = ::stat(target.constData(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode))
        Fail(resolved, EISDIR);

    QByteArray sibling;
    const int fd = OpenSibling(target, sibling);
    if (fd < 0)
        Fail(resolved, errno);
    bool done = WriteAll(fd, bytes);
    if (done && existed)
        done = ::fchmod(fd, old.st_mode & 07777) == 0;
    if (done && flush == TFlush::ToDisk)
        done = ::fsync(fd) == 0;
    int error = done ? 0 : errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(sibling.constData(), target.constData()) != 0) {
        done = false;
        error = errno;
    }
    if (done)
        return;
    ::unlink(sibling.constData());
    Fail(resolved, error);
}
