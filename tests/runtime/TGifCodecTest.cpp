#include <gtest/gtest.h>

#include <gif_lib.h>
#include <QSet>

#include "TError.h"
#include "TGifCodec.h"
#include "TTestPictures.h"

using namespace testsupport;

namespace {

int AppendGif(GifFileType* gif, const GifByteType* data, int count) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), count);
    return count;
}

// A GIF89a of one frame with a four-colour table: red, green, blue, white.
struct TRawGif {
    int ScreenWidth = 4;
    int ScreenHeight = 4;
    int Left = 0, Top = 0, Width = 4, Height = 4;
    bool Interlaced = false;
    int Transparent = -1;
    std::vector<GifByteType> Indices;  // Width × Height, in display order
};

QByteArray WriteGif(const TRawGif& in) {
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendGif, &error);
    GifColorType colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, in.ScreenWidth, in.ScreenHeight, 8, 0, map);
    if (in.Transparent >= 0) {
        const GifByteType control[4] = {1, 0, 0, static_cast<GifByteType>(in.Transparent)};
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    }
    EGifPutImageDesc(gif, in.Left, in.Top, in.Width, in.Height, in.Interlaced, nullptr);
    // Interlaced frames are written in their pass order.
    std::vector<int> rows;
    if (in.Interlaced) {
        for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
            for (int y = start; y < in.Height; y += step)
                rows.push_back(y);
        }
    } else {
        for (int y = 0; y < in.Height; ++y)
            rows.push_back(y);
    }
    for (int y : rows) {
        EGifPutLine(gif, const_cast<GifByteType*>(in.Indices.data()) + y * in.Width, in.Width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

const QRgb Colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};

TRawGif Frame(int width, int height) {
    TRawGif gif;
    gif.ScreenWidth = gif.Width = width;
    gif.ScreenHeight = gif.Height = height;
    for (int i = 0; i < width * height; ++i)
        gif.Indices.push_back((i * 7 / 3) % 4);
    return gif;
}

TEST(TGifCodec, ReadsTheFirstFramePlainAndInterlaced) {
    for (bool interlaced : {false, true}) {
        TRawGif raw = Frame(5, 11);
        raw.Interlaced = interlaced;
        const QImage image = TGifCodec::Decode(WriteGif(raw));
        ASSERT_EQ(image.format(), QImage::Format_RGB32);
        for (int y = 0; y < 11; ++y) {
            for (int x = 0; x < 5; ++x) {
                ASSERT_EQ(image.pixel(x, y), Colours[raw.Indices[y * 5 + x]])
                    << interlaced << " " << x << "," << y;
            }
        }
    }
}

TEST(TGifCodec, TransparentColourAndUncoveredScreenAreTransparent) {
    TRawGif raw = Frame(2, 2);
    raw.ScreenWidth = 3;
    raw.ScreenHeight = 3;
    raw.Left = raw.Top = 1;
    raw.Indices = {0, 1, 2, 3};
    raw.Transparent = 1;
    const QImage image = TGifCodec::Decode(WriteGif(raw));
    ASSERT_EQ(image.format(), QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(3, 3));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);  // outside the frame
    EXPECT_EQ(image.pixel(1, 1), Colours[0]);
    EXPECT_EQ(qAlpha(image.pixel(2, 1)), 0);  // the transparent colour
    EXPECT_EQ(image.pixel(1, 2), Colours[2]);
    EXPECT_EQ(image.pixel(2, 2), Colours[3]);
}

TEST(TGifCodec, WritesAtMost256ColoursCloseToThePicture) {
    const QImage picture = MakeDetailedPicture(120, 90);
    const QByteArray gif = TGifCodec::Encode(picture);
    const QImage back = TGifCodec::Decode(gif);
    ASSERT_EQ(back.size(), picture.size());
    QSet<QRgb> colours;
    double sum = 0;
    for (int y = 0; y < back.height(); ++y) {
        for (int x = 0; x < back.width(); ++x) {
            colours.insert(back.pixel(x, y));
            const QRgb p = back.pixel(x, y), q = picture.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    EXPECT_LE(colours.size(), 256);
    EXPECT_LT(sum / (3.0 * picture.width() * picture.height()), 12.0);

    // A picture of few colours keeps them within the reduction's 5-bit steps.
    QImage bars(16, 4, QImage::Format_RGB32);
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < 4; ++y)
            bars.setPixel(x, y, Colours[x / 4]);
    }
    EXPECT_LE(MaxChannelDifference(TGifCodec::Decode(TGifCodec::Encode(bars)), bars), 8);
}

TEST(TGifCodec, RefusesHugeScreensAndTruncatedData) {
    TRawGif huge = Frame(2, 2);
    huge.ScreenWidth = huge.ScreenHeight = 65535;  // the most a GIF can announce
    EXPECT_THROW(TGifCodec::Decode(WriteGif(huge)), TError);
    TRawGif hugeFrame = Frame(2, 2);
    QByteArray bytes = WriteGif(hugeFrame);
    const qsizetype descriptor = bytes.indexOf(',');  // image separator 0x2C
    bytes[descriptor + 5] = bytes[descriptor + 6] = bytes[descriptor + 7] = bytes[descriptor + 8] =
        static_cast<char>(0xFF);
    EXPECT_THROW(TGifCodec::Decode(bytes), TError);

    const QByteArray good = TGifCodec::Encode(MakeDetailedPicture(40, 30));
    for (qsizetype length : {qsizetype(6), qsizetype(13), qsizetype(800), good.size() / 2}) {
        EXPECT_THROW(TGifCodec::Decode(good.left(length)), TError) << length;
    }
    EXPECT_THROW(TGifCodec::Decode(WriteGif(Frame(2, 2)).left(13 + 12)), TError);
}

}  // namespace
