#pragma once
// GIF pictures through giflib: reading the first frame with its transparency, and writing a
// bitmap reduced to a palette of at most 256 colours by giflib's median cut.

#include <QByteArray>
#include <QImage>

class TGifCodec {
public:
    static bool IsGif(const QByteArray& bytes);
    // The first frame on the logical screen: Format_ARGB32 when some pixel is transparent
    // (the frame's transparent colour, or screen area the frame does not cover), else
    // Format_RGB32.
    static QImage Decode(const QByteArray& bytes);
    static QByteArray Encode(const QImage& image);
};
