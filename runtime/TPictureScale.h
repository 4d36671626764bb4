#pragma once
// The size a picture takes when shrunk to fit limits, and the resampling that drops rows and
// columns to reach it. Shared by the shrinking of bitmaps and by the JPEG decoder that
// decodes straight to the shrunk size, so both give the same pixels.

#include <QImage>
#include <QSize>
#include <optional>
#include <vector>

class TPictureScale {
public:
    // The shrunk size, or nothing when the picture already fits. Quotients and products are
    // formed in extended precision and truncated toward zero; a side that would come out 0
    // becomes 1, so limits below 1 give a picture one pixel high or wide.
    static std::optional<QSize> FitSize(QSize size, int maxHeight, int maxWidth);
    // The source row (or column) that target row `target` of `targetCount` takes from
    // `sourceCount`: target * sourceCount / targetCount in integers.
    static int SourceIndex(int target, int sourceCount, int targetCount);
    // SourceIndex for every target index.
    static std::vector<int> SourceIndices(int sourceCount, int targetCount);
    // `image` resampled to `size` by dropping rows and columns; 32-bit formats keep their
    // format, others come out as Format_RGB32.
    static QImage Sample(const QImage& image, QSize size);
};
