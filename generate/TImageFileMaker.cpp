#include "TImageFileMaker.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "TBase64.h"
#include "TBmpCodec.h"
#include "TError.h"
#include "TGifCodec.h"
#include "TJpegCodec.h"
#include "TOutputData.h"
#include "TPngCodec.h"

namespace {

QString UpperExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}

QByteArray Encode(const QString& extension, const QImage& picture) {
    if (extension == ".PNG")
        return TPngCodec::Encode(picture);
    if (extension == ".GIF")
        return TGifCodec::Encode(picture);
    if (extension == ".JPG" || extension == ".JPEG")
        return TJpegCodec::Encode(picture);
    if (extension == ".BMP")
        return TBmpCodec::Encode(picture);
    if (extension == ".ICO" || extension == ".EMF") {
        throw TError(
            "ビットマップをアイコン(ICO)またはメタファイル(EMF)に変換することはできません。");
    }
    throw TError("拡張子から画像形式が判定できません。");
}

[[noreturn]] void ThrowCreateError(const QString& path, const QString& reason) {
    throw TError(QString("ファイル「%1」を作成できません。（%2）").arg(path, reason));
}

QString SystemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
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

// Writes a sibling temporary file and renames it over the target, so the target is either
// the old file or the whole new one. Unlike QSaveFile it does not wait for the disk
// (fsync): the pictures are scratch copies and a flush costs more than encoding them.
void ReplaceFile(const QString& path, const QByteArray& bytes) {
    const QByteArray target = QFile::encodeName(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary =
            target + ".part" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            ThrowCreateError(path, SystemReason());
        bool done = WriteAll(fd, bytes);
        QString reason = done ? QString() : SystemReason();
        if (::close(fd) != 0 && done) {
            done = false;
            reason = SystemReason();
        }
        if (done && ::rename(temporary.constData(), target.constData()) != 0) {
            done = false;
            reason = SystemReason();
        }
        if (done)
            return;
        ::unlink(temporary.constData());
        ThrowCreateError(path, reason);
    }
    ThrowCreateError(path, SystemReason());
}

}  // namespace

void TImageFileMaker::SavePictureToFile(const QString& path, const QImage& picture) {
    const QByteArray bytes = Encode(UpperExtension(path), picture);
    ReplaceFile(path, bytes);
}

void TImageFileMaker::WriteBase64ToFile(const QString& path, const QString& base64Text) {
    QBuffer decoded;
    decoded.open(QIODevice::ReadWrite);
    TBase64::DecodeToStream(base64Text.toLatin1(), decoded);
    ReplaceFile(path, decoded.data());
}

QStringList TImageFileMaker::MakeImageFiles(const TOutputDataMap& outputMap,
                                            const QString& folder) {
    for (const auto& [tagName, output] : outputMap) {
        if (!output.FileName.isEmpty() || !output.FileData.isEmpty()) {
            CheckOutputFileName(tagName, output.FileName);
        }
    }
    QStringList paths;
    for (const auto& [tagName, output] : outputMap) {
        if (output.FileName.isEmpty() || output.FileData.isEmpty())
            continue;
        const QString path = folder + output.FileName;
        WriteBase64ToFile(path, output.FileData);
        paths.append(path);
    }
    return paths;
}

void TImageFileMaker::CheckOutputFileName(const QString& caption, const QString& fileName) {
    if (fileName.isEmpty()) {
        throw TError(caption + "の画像ファイル名が入力されていません。");
    }
    if (fileName.contains('/') || fileName.contains('\\')) {
        throw TError(caption + QString("の画像ファイル名「%1」にはフォルダーの区切り（/ や \\）を"
                                       "使えません。")
                                   .arg(fileName));
    }
    if (fileName == "." || fileName == "..") {
        throw TError(caption + QString("の画像ファイル名「%1」は使えません。").arg(fileName));
    }
}
