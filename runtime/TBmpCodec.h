#pragma once
// Windows bitmaps, read and written by the project itself: reading uncompressed 1-, 4-, 8-,
// 16-, 24- and 32-bit pictures (with bit fields), bottom-up or top-down; writing 24-bit.

#include <QByteArray>
#include <QImage>

class TBmpCodec {
public:
    static bool IsBmp(const QByteArray& bytes);
    // Format_ARGB32 when a 32-bit picture carries an alpha mask, else Format_RGB32. Every
    // header field is checked against the file's size before pixel memory is taken.
    static QImage Decode(const QByteArray& bytes);
    // 24-bit, bottom-up, no palette.
    static QByteArray Encode(const QImage& image);
};
