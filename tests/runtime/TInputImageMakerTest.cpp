#include <gtest/gtest.h>

#include <climits>

#include "TInputImageMaker.h"
#include "TJpegCodec.h"
#include "TPictureLoader.h"
#include "TPngCodec.h"
#include "TTestPictures.h"
#include "TTestSupport.h"

using namespace testsupport;

namespace {

QImage Blank(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(TInputImageMaker, ShrinksByTheExtendedPrecisionRatioTruncated) {
    struct TCase {
        int Width, Height, MaxHeight, MaxWidth;
        bool Scaled;
        int NewWidth, NewHeight;
    };
    const TCase cases[] = {
        {400, 300, 100, 100, true, 100, 75},
        {400, 303, 100, 100, true, 100, 75},  // 75.75 truncated
        {50, 200, 100, 100, true, 25, 100},
        {149, 100, 100, 100, true, 99, 67},  // 100/149 rounds just below its value
        {600, 800, 150, 200, true, 112, 150},
        {100, 100, 100, 100, false, 100, 100},
        {100, 50, 100, 100, false, 100, 50},
        {1000, 3, 10, 10, true, 10, 1},  // 0.03 would truncate to 0
        {3, 1000, 10, 10, true, 1, 10},
        {400, 300, 0, 100, true, 1, 1},  // a limit of 0 leaves one pixel
        {400, 300, -5, -5, true, 1, 1},
        {400, 300, INT_MAX, INT_MAX, false, 400, 300},
        {400, 300, INT_MIN, 1000, true, 1, 1},
    };
    for (const TCase& c : cases) {
        QImage bitmap = Blank(c.Width, c.Height);
        EXPECT_EQ(TInputImageMaker::ShrinkToFit(bitmap, c.MaxHeight, c.MaxWidth), c.Scaled)
            << c.Width << "x" << c.Height;
        EXPECT_EQ(bitmap.size(), QSize(c.NewWidth, c.NewHeight)) << c.Width << "x" << c.Height;
    }
    QImage empty;
    EXPECT_FALSE(TInputImageMaker::ShrinkToFit(empty, 0, 0));
}

TEST(TInputImageMaker, DropsRowsAndColumnsWithoutSmoothing) {
    // Each pixel holds its own coordinates, so the kept ones can be read off.
    QImage bitmap(10, 7, QImage::Format_RGB32);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 10; ++x)
            bitmap.setPixel(x, y, qRgb(x, y, 0));
    }
    ASSERT_TRUE(TInputImageMaker::ShrinkToFit(bitmap, 3, 4));
    ASSERT_EQ(bitmap.size(), QSize(4, 2));
    // Target x takes source x * 10 / 4, target y takes y * 7 / 2.
    const int columns[] = {0, 2, 5, 7};
    const int rows[] = {0, 3};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(bitmap.pixel(x, y), qRgb(columns[x], rows[y], 0));
    }
}

TEST(TInputImageMaker, ShrunkLoadingMatchesLoadingThenShrinking) {
    TScratchDir dir;
    const QImage picture = MakeDetailedPicture(321, 239);
    WriteFile(dir.File("picture.jpg"), TJpegCodec::Encode(picture));
    WriteFile(dir.File("picture.png"), TPngCodec::Encode(picture));
    const std::pair<int, int> limits[] = {{100, 100}, {239, 50}, {500, 500}, {1, 1000}, {60, 321}};
    for (const char* name : {"picture.jpg", "picture.png"}) {
        for (const auto& [maxHeight, maxWidth] : limits) {
            QImage expected = TPictureLoader::LoadOnWhite(dir.File(name));
            TInputImageMaker::ShrinkToFit(expected, maxHeight, maxWidth);
            EXPECT_EQ(TPictureLoader::LoadShrunkOnWhite(dir.File(name), maxHeight, maxWidth),
                      expected)
                << name << " " << maxHeight << "x" << maxWidth;
        }
    }
}

}  // namespace
