#include "TImageFileMaker.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include "TAtomicFile.h"
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

}  // namespace

void TImageFileMaker::SavePictureToFile(const QString& path, const QImage& picture) {
    const QByteArray bytes = Encode(UpperExtension(path), picture);
    TAtomicFile::Write(path, bytes, TAtomicFile::TFlush::None);
}

void TImageFileMaker::WriteBase64ToFile(const QString& path, const QString& base64Text) {
    QBuffer decoded;
    decoded.open(QIODevice::ReadWrite);
    TBase64::DecodeToStream(base64Text.toLatin1(), decoded);
    TAtomicFile::Write(path, decoded.data(), TAtomicFile::TFlush::None);
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
