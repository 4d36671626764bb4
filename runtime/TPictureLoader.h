#pragma once
// Loads a picture file, choosing the decoder by the file's first bytes rather than its
// name, and puts it on white for the output conversion of image items.

#include <QByteArray>
#include <QImage>
#include <QString>

class TPictureLoader {
public:
    // The decoded picture (Format_RGB32, or Format_ARGB32 where it has transparency).
    // Throws TError naming the file when it cannot be read or is no JPEG, PNG, GIF or BMP.
    static QImage Load(const QString& path);
    static QImage Decode(const QByteArray& bytes);
    // The picture drawn on a white bitmap of its size: Format_RGB32, transparent areas white.
    static QImage LoadOnWhite(const QString& path);
    // LoadOnWhite followed by shrinking to fit (TPictureScale), with exactly those pixels;
    // JPEG pictures are decoded straight to the shrunk size.
    static QImage LoadShrunkOnWhite(const QString& path, int maxHeight, int maxWidth);
    // `image` composed over white; opaque pictures are returned as they are.
    static QImage OnWhite(const QImage& image);
};
