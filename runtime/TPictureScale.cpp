#include "TPictureScale.h"

#include <algorithm>

namespace {

int TruncatedSide(int side, long double ratio) {
    const long double product = static_cast<long double>(side) * ratio;
    if (!(product >= 1.0L))
        return 1;                      // also catches negative limits
    return static_cast<int>(product);  // truncates toward zero
}

bool Is32Bit(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

std::optional<QSize> TPictureScale::FitSize(QSize size, int maxHeight, int maxWidth) {
    const int width = size.width();
    const int height = size.height();
    if (width <= 0 || height <= 0)
        return std::nullopt;
    if (maxHeight >= height && maxWidth >= width)
        return std::nullopt;
    const long double byHeight = static_cast<long double>(maxHeight) / height;
    const long double byWidth = static_cast<long double>(maxWidth) / width;
    const long double ratio = std::min(byHeight, byWidth);
    return QSize(TruncatedSide(width, ratio), TruncatedSide(height, ratio));
}

int TPictureScale::SourceIndex(int target, int sourceCount, int targetCount) {
    return static_cast<int>(static_cast<qint64>(target) * sourceCount / targetCount);
}

std::vector<int> TPictureScale::SourceIndices(int sourceCount, int targetCount) {
    std::vector<int> indices(static_cast<size_t>(targetCount));
    for (int i = 0; i < targetCount; ++i)
        indices[i] = SourceIndex(i, sourceCount, targetCount);
    return indices;
}

QImage TPictureScale::Sample(const QImage& image, QSize size) {
    const QImage source =
        Is32Bit(image.format()) ? image : image.convertToFormat(QImage::Format_RGB32);
    QImage target(size, source.format());
    if (target.isNull())
        return target;
    const std::vector<int> columns = SourceIndices(source.width(), size.width());
    for (int y = 0; y < size.height(); ++y) {
        const auto* from = reinterpret_cast<const quint32*>(
            source.constScanLine(SourceIndex(y, source.height(), size.height())));
        auto* to = reinterpret_cast<quint32*>(target.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            to[x] = from[columns[x]];
    }
    return target;
}
