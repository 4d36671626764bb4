#include "TPictureLoader.h"

#include <QFile>

#include "TBmpCodec.h"
#include "TError.h"
#include "TGifCodec.h"
#include "TJpegCodec.h"
#include "TPictureLimits.h"
#include "TPictureScale.h"
#include "TPngCodec.h"

namespace {

QByteArray ReadPictureFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw TError(
            QString("画像ファイル「%1」を開けません。（%2）").arg(path, file.errorString()));
    }
    if (file.size() > TPictureLimits::MaxFileBytes) {
        throw TError(QString("画像ファイル「%1」が大きすぎます。").arg(path));
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw TError(
            QString("画像ファイル「%1」を読み込めません。（%2）").arg(path, file.errorString()));
    }
    return bytes;
}

// Codec errors say what is wrong with the data; the file they came from is added here.
template <typename TDecode>
QImage DecodeFile(const QString& path, TDecode decode) {
    const QByteArray bytes = ReadPictureFile(path);
    try {
        return decode(bytes);
    } catch (const TError& error) {
        throw TError(QString("画像ファイル「%1」を読み込めません。%2").arg(path, error.Message()));
    }
}

int Blend(int value, int alpha) {
    return (value * alpha + 255 * (255 - alpha) + 127) / 255;
}

}  // namespace

QImage TPictureLoader::Decode(const QByteArray& bytes) {
    if (TJpegCodec::IsJpeg(bytes))
        return TJpegCodec::Decode(bytes);
    if (TPngCodec::IsPng(bytes))
        return TPngCodec::Decode(bytes);
    if (TGifCodec::IsGif(bytes))
        return TGifCodec::Decode(bytes);
    if (TBmpCodec::IsBmp(bytes))
        return TBmpCodec::Decode(bytes);
    throw TError("対応していない形式です（読み込めるのは JPEG、PNG、GIF、BMP の画像です）。");
}

QImage TPictureLoader::Load(const QString& path) {
    return DecodeFile(path, Decode);
}

QImage TPictureLoader::LoadOnWhite(const QString& path) {
    return OnWhite(Load(path));
}

QImage TPictureLoader::LoadShrunkOnWhite(const QString& path, int maxHeight, int maxWidth) {
    return DecodeFile(path, [&](const QByteArray& bytes) {
        if (TJpegCodec::IsJpeg(bytes))
            return TJpegCodec::DecodeToFit(bytes, maxHeight, maxWidth);
        const QImage image = OnWhite(Decode(bytes));
        const auto size = TPictureScale::FitSize(image.size(), maxHeight, maxWidth);
        return size ? TPictureScale::Sample(image, *size) : image;
    });
}

QImage TPictureLoader::OnWhite(const QImage& image) {
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage white(source.size(), QImage::Format_RGB32);
    if (white.isNull())
        throw TError("画像を読み込むためのメモリが足りません。");
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(white.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int a = qAlpha(in[x]);
            out[x] = qRgb(Blend(qRed(in[x]), a), Blend(qGreen(in[x]), a), Blend(qBlue(in[x]), a));
        }
    }
    return white;
}
