#pragma once
// JPEG pictures through libjpeg(-turbo): reading any colour model into an opaque bitmap,
// optionally straight at a shrunk size, and writing JFIF baseline at quality 90.

#include <QByteArray>
#include <QImage>

class TJpegCodec {
public:
    static constexpr int Quality = 90;

    static bool IsJpeg(const QByteArray& bytes);
    // Format_RGB32; greyscale, CMYK and YCCK pictures come out in colour.
    static QImage Decode(const QByteArray& bytes);
    // The same pixels as Decode followed by TPictureScale::Sample at FitSize, but rows that
    // are never kept are skipped in the decoder instead of being converted.
    static QImage DecodeToFit(const QByteArray& bytes, int maxHeight, int maxWidth);
    // JFIF, baseline, colour, the library's defaults apart from the quality.
    static QByteArray Encode(const QImage& image);
};
