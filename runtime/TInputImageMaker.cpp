#include "TInputImageMaker.h"

#include "TPictureScale.h"

bool TInputImageMaker::ShrinkToFit(QImage& bitmap, int maxHeight, int maxWidth) {
    const auto size = TPictureScale::FitSize(bitmap.size(), maxHeight, maxWidth);
    if (!size)
        return false;
    bitmap = TPictureScale::Sample(bitmap, *size);
    return true;
}
