#include "TPictureLimits.h"

#include "TError.h"

void TPictureLimits::CheckSize(qint64 width, qint64 height, const QString& format) {
    if (width <= 0 || height <= 0) {
        throw TError(QString("%1 画像の大きさ（%2×%3）が正しくありません。")
                         .arg(format)
                         .arg(width)
                         .arg(height));
    }
    if (width > MaxPixels || height > MaxPixels || width * height > MaxPixels) {
        throw TError(QString("%1 画像が大きすぎます（%2×%3 ピクセル）。読み込めるのは %4 "
                             "ピクセルまでです。")
                         .arg(format)
                         .arg(width)
                         .arg(height)
                         .arg(MaxPixels));
    }
}
