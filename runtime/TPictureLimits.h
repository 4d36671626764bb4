#pragma once
// The largest picture the codecs accept, checked against the header before any pixel
// memory is taken, so a hostile or broken file cannot exhaust memory.

#include <QString>
#include <QtGlobal>

class TPictureLimits {
public:
    static constexpr qint64 MaxPixels = 100'000'000;
    // Files larger than this are refused before they are read into memory.
    static constexpr qint64 MaxFileBytes = qint64(1) << 30;

    // Throws TError naming the format when the size is empty or above MaxPixels.
    static void CheckSize(qint64 width, qint64 height, const QString& format);
};
