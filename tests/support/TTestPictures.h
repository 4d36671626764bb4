#pragma once
// Pictures for the codec and maker tests, made in memory: bitmaps with detail, and files
// written with the raw libraries in variants the project's own writers never produce.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace testsupport {

// An opaque Format_RGB32 bitmap with gradients and fine detail, the same for equal sizes.
QImage MakeDetailedPicture(int width, int height);

// A PNG written by libpng from raw samples: one value per channel per pixel, row by row,
// each in 0 .. 2^BitDepth - 1 (palette indices for palette pictures).
struct TRawPng {
    int Width = 0;
    int Height = 0;
    int ColorType = 0;  // PNG_COLOR_TYPE_*
    int BitDepth = 8;
    bool Interlaced = false;
    std::vector<QRgb> Palette;  // palette pictures; alpha below 255 goes into tRNS
    bool HasTransparentColour = false;
    std::vector<uint16_t> TransparentColour;  // grey, or red, green, blue
    std::vector<uint16_t> Samples;
};
int ChannelCount(int colorType);
QByteArray WritePng(const TRawPng& png);

// A JPEG written by libjpeg from raw samples of `inSpace` (JCS_GRAYSCALE, JCS_RGB, JCS_CMYK)
// into `jpegSpace`; `adobeMarker` decides whether the APP14 marker is written.
struct TRawJpeg {
    int Width = 0;
    int Height = 0;
    int InSpace = 0;    // J_COLOR_SPACE
    int JpegSpace = 0;  // J_COLOR_SPACE
    bool AdobeMarker = false;
    bool Progressive = false;
    int Quality = 100;
    int LumaH = 2;  // sampling factors of the first component: 2 × 2 is 4:2:0
    int LumaV = 2;
    std::vector<uint8_t> Samples;
};
QByteArray WriteJpeg(const TRawJpeg& jpeg);

// A BMP of 1, 4, 8, 16, 24 or 32 bits and the picture it holds (Format_RGB32).
struct TBmpSample {
    QByteArray Bytes;
    QImage Expected;
};
TBmpSample MakeBmp(int bits, int width, int height, bool topDown);

// The chunks of a PNG file: type and data, in file order.
struct TPngChunk {
    QByteArray Type;
    QByteArray Data;
};
std::vector<TPngChunk> ReadPngChunks(const QByteArray& png);
QByteArray Inflate(const QByteArray& zlibData);

// The largest difference of any channel of any pixel; -1 when the sizes differ.
int MaxChannelDifference(const QImage& a, const QImage& b);

}  // namespace testsupport
