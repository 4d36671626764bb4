#pragma once
// Shrinks the bitmap of an image item's entered value to the item's maximum size.

#include <QImage>

class TInputImageMaker {
public:
    // Scales `bitmap` down, keeping its proportions, until it fits maxHeight × maxWidth
    // (height first), by dropping rows and columns. Returns false when it already fitted.
    // A side that would come out 0 becomes 1, so limits below 1 leave one pixel row or
    // column.
    static bool ShrinkToFit(QImage& bitmap, int maxHeight, int maxWidth);
};
