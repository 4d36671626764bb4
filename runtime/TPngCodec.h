#pragma once
// PNG pictures through libpng: reading every colour type, depth and interlacing, and
// writing 8-bit RGB with row filter Sub, zlib level 7 and image data chunks of at most
// 65535 bytes.

#include <QByteArray>
#include <QImage>

class TPngCodec {
public:
    static constexpr int CompressionLevel = 7;
    static constexpr int MaxChunkBytes = 65535;

    static bool IsPng(const QByteArray& bytes);
    // Format_ARGB32 when the picture has an alpha channel or a tRNS chunk, else Format_RGB32.
    static QImage Decode(const QByteArray& bytes);
    // The picture without its alpha channel, not interlaced.
    static QByteArray Encode(const QImage& image);
};
