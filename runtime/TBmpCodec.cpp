#include "TBmpCodec.h"

#include <QtEndian>
#include <bit>
#include <vector>

#include "TError.h"
#include "TPictureLimits.h"

namespace {

constexpr qint64 FileHeaderSize = 14;
constexpr quint32 BiRgb = 0;
constexpr quint32 BiBitFields = 3;

[[noreturn]] void ThrowDamaged(const char* what) {
    throw TError(QString("BMP 画像のデータが壊れているか、途中で切れています。（%1）")
                     .arg(QString::fromLatin1(what)));
}

// Little-endian fields at byte offsets, refused when they lie beyond the data.
class TFields {
public:
    explicit TFields(const QByteArray& bytes) : FBytes(bytes) {}
    qint64 Size() const { return FBytes.size(); }
    quint16 U16(qint64 at) const { return qFromLittleEndian<quint16>(At(at, 2)); }
    quint32 U32(qint64 at) const { return qFromLittleEndian<quint32>(At(at, 4)); }
    qint32 I32(qint64 at) const { return qFromLittleEndian<qint32>(At(at, 4)); }
    const uchar* At(qint64 at, qint64 count) const {
        if (at < 0 || count < 0 || at + count > FBytes.size())
            ThrowDamaged("header past end");
        return reinterpret_cast<const uchar*>(FBytes.constData()) + at;
    }

private:
    const QByteArray& FBytes;
};

// One colour channel of a packed pixel: its mask, shifted down and scaled to 0..255.
class TChannel {
public:
    explicit TChannel(quint32 mask = 0)
        : FMask(mask),
          FShift(mask ? std::countr_zero(mask) : 0),
          FMax(mask ? (mask >> FShift) : 0) {}
    bool Present() const { return FMask != 0; }
    int Of(quint32 pixel) const {
        if (!FMax)
            return 0;
        return static_cast<int>((static_cast<quint64>((pixel & FMask) >> FShift) * 255 + FMax / 2) /
                                FMax);
    }

private:
    quint32 FMask;
    int FShift;
    quint32 FMax;
};

struct THeader {
    qint64 Width = 0;
    qint64 Height = 0;  // rows in the file
    bool TopDown = false;
    int Bits = 0;
    quint32 Compression = BiRgb;
    qint64 PaletteAt = 0;
    qint64 PaletteEntry = 4;  // bytes per palette entry: 3 in the old OS/2 header
    qint64 PaletteCount = 0;
    TChannel Red, Green, Blue, Alpha;
    qint64 DataAt = 0;
    qint64 RowBytes = 0;
};

void ReadMasks(const TFields& f, qint64 headerSize, THeader& h) {
    // Masks follow a 40-byte header, or sit inside the later, longer headers.
    const qint64 at = FileHeaderSize + 40;
    if (h.Compression == BiBitFields) {
        h.Red = TChannel(f.U32(at));
        h.Green = TChannel(f.U32(at + 4));
        h.Blue = TChannel(f.U32(at + 8));
        if (headerSize >= 56)
            h.Alpha = TChannel(f.U32(at + 12));
    } else if (h.Bits == 16) {
        h.Red = TChannel(0x7C00);
        h.Green = TChannel(0x03E0);
        h.Blue = TChannel(0x001F);
    } else {
        h.Red = TChannel(0xFF0000);
        h.Green = TChannel(0x00FF00);
        h.Blue = TChannel(0x0000FF);
    }
}

THeader ReadHeader(const TFields& f) {
    THeader h;
    const qint64 headerSize = f.U32(FileHeaderSize);
    if (headerSize == 12) {
        h.Width = f.U16(FileHeaderSize + 4);
        h.Height = f.U16(FileHeaderSize + 6);
        h.Bits = f.U16(FileHeaderSize + 10);
        h.PaletteEntry = 3;
        if (f.U16(FileHeaderSize + 8) != 1)
            ThrowDamaged("planes");
    } else if (headerSize >= 40 && headerSize <= 124) {
        h.Width = f.I32(FileHeaderSize + 4);
        const qint64 height = f.I32(FileHeaderSize + 8);
        h.TopDown = height < 0;
        h.Height = height < 0 ? -height : height;
        h.Bits = f.U16(FileHeaderSize + 14);
        h.Compression = f.U32(FileHeaderSize + 16);
        h.PaletteCount = f.U32(FileHeaderSize + 32);
        if (f.U16(FileHeaderSize + 12) != 1)
            ThrowDamaged("planes");
    } else {
        ThrowDamaged("header size");
    }
    const bool packed = h.Bits == 16 || h.Bits == 32;
    const bool known = h.Bits == 1 || h.Bits == 4 || h.Bits == 8 || h.Bits == 24 || packed;
    if (!known || !(h.Compression == BiRgb || (h.Compression == BiBitFields && packed))) {
        throw TError("この BMP 画像の形式（圧縮されたもの、または色数）には対応していません。");
    }
    TPictureLimits::CheckSize(h.Width, h.Height, "BMP");
    if (packed)
        ReadMasks(f, headerSize, h);
    h.PaletteAt =
        FileHeaderSize + headerSize + (h.Compression == BiBitFields && headerSize == 40 ? 12 : 0);
    if (h.Bits <= 8) {
        const qint64 most = qint64(1) << h.Bits;
        if (h.PaletteCount == 0)
            h.PaletteCount = most;
        if (h.PaletteCount > most)
            ThrowDamaged("palette size");
        f.At(h.PaletteAt, h.PaletteCount * h.PaletteEntry);
    }
    h.DataAt = f.U32(10);
    h.RowBytes = (h.Width * h.Bits + 31) / 32 * 4;
    if (h.DataAt < FileHeaderSize + headerSize || h.DataAt + h.RowBytes * h.Height > f.Size()) {
        ThrowDamaged("pixel data past end");
    }
    return h;
}

std::vector<QRgb> ReadPalette(const TFields& f, const THeader& h) {
    std::vector<QRgb> palette(size_t(1) << (h.Bits <= 8 ? h.Bits : 0), qRgb(0, 0, 0));
    for (qint64 i = 0; h.Bits <= 8 && i < h.PaletteCount; ++i) {
        const uchar* entry = f.At(h.PaletteAt + i * h.PaletteEntry, 3);
        palette[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    return palette;
}

void ReadRow(const uchar* in, const THeader& h, const std::vector<QRgb>& palette, QRgb* out) {
    const int width = static_cast<int>(h.Width);
    for (int x = 0; x < width; ++x) {
        switch (h.Bits) {
            case 1:
                out[x] = palette[(in[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                out[x] = palette[(in[x / 2] >> (x % 2 ? 0 : 4)) & 15];
                break;
            case 8:
                out[x] = palette[in[x]];
                break;
            case 24:
                out[x] = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
                break;
            default: {
                const quint32 p = h.Bits == 16 ? qFromLittleEndian<quint16>(in + 2 * x)
                                               : qFromLittleEndian<quint32>(in + 4 * x);
                out[x] = qRgba(h.Red.Of(p), h.Green.Of(p), h.Blue.Of(p),
                               h.Alpha.Present() ? h.Alpha.Of(p) : 255);
            }
        }
    }
}

// Many writers declare an alpha mask but leave every alpha value 0; such a picture is
// meant to be opaque, not invisible.
bool AllTransparent(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0)
                return false;
        }
    }
    return true;
}

QImage MadeOpaque(QImage image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] |= 0xFF000000u;
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

void AppendU16(QByteArray& out, quint16 v) {
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void AppendU32(QByteArray& out, quint32 v) {
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

}  // namespace

bool TBmpCodec::IsBmp(const QByteArray& bytes) {
    return bytes.startsWith("BM");
}

QImage TBmpCodec::Decode(const QByteArray& bytes) {
    const TFields fields(bytes);
    if (!IsBmp(bytes))
        ThrowDamaged("signature");
    const THeader h = ReadHeader(fields);
    const std::vector<QRgb> palette = ReadPalette(fields, h);
    QImage image(static_cast<int>(h.Width), static_cast<int>(h.Height),
                 h.Alpha.Present() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        throw TError("画像を読み込むためのメモリが足りません。");
    for (qint64 row = 0; row < h.Height; ++row) {
        const int y = static_cast<int>(h.TopDown ? row : h.Height - 1 - row);
        ReadRow(fields.At(h.DataAt + row * h.RowBytes, h.RowBytes), h, palette,
                reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    return h.Alpha.Present() && AllTransparent(image) ? MadeOpaque(std::move(image)) : image;
}

QByteArray TBmpCodec::Encode(const QImage& image) {
    if (image.isNull())
        throw TError("空の画像は BMP に変換できません。");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const qint64 rowBytes = (qint64(rgb.width()) * 24 + 31) / 32 * 4;
    const qint64 dataSize = rowBytes * rgb.height();
    const qint64 dataAt = FileHeaderSize + 40;
    if (dataAt + dataSize > 0xFFFFFFFFLL)
        throw TError("BMP で保存するには画像が大きすぎます。");
    QByteArray out;
    out.reserve(dataAt + dataSize);
    out.append("BM");
    AppendU32(out, static_cast<quint32>(dataAt + dataSize));
    AppendU32(out, 0);
    AppendU32(out, static_cast<quint32>(dataAt));
    AppendU32(out, 40);
    AppendU32(out, static_cast<quint32>(rgb.width()));
    AppendU32(out, static_cast<quint32>(rgb.height()));  // positive: bottom-up
    AppendU16(out, 1);
    AppendU16(out, 24);
    AppendU32(out, BiRgb);
    AppendU32(out, static_cast<quint32>(dataSize));
    for (int i = 0; i < 4; ++i)
        AppendU32(out, 0);  // resolution and palette counts
    QByteArray row(rowBytes, '\0');
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            row[3 * x] = static_cast<char>(qBlue(in[x]));
            row[3 * x + 1] = static_cast<char>(qGreen(in[x]));
            row[3 * x + 2] = static_cast<char>(qRed(in[x]));
        }
        out.append(row);
    }
    return out;
}
