#include <gtest/gtest.h>

#include <png.h>
#include <zlib.h>
#include <QtEndian>

#include "TError.h"
#include "TPngCodec.h"
#include "TTestPictures.h"

using namespace testsupport;

namespace {

// libpng's reduction of 16-bit samples (png_set_scale_16) and expansion of low depths.
int To8Bits(unsigned v, int depth) {
    if (depth == 16)
        return static_cast<int>((v * 255 + 32895) >> 16);
    return static_cast<int>(v * 255 / ((1u << depth) - 1));
}

QImage Expected(const TRawPng& png) {
    QImage image(png.Width, png.Height, QImage::Format_ARGB32);
    const int channels = ChannelCount(png.ColorType);
    for (int y = 0; y < png.Height; ++y) {
        for (int x = 0; x < png.Width; ++x) {
            const uint16_t* s = &png.Samples[(static_cast<size_t>(y) * png.Width + x) * channels];
            QRgb c;
            if (png.ColorType == PNG_COLOR_TYPE_PALETTE) {
                c = png.Palette[s[0]];
            } else {
                const bool colour = channels >= 3;
                const int r = To8Bits(s[0], png.BitDepth);
                const int g = colour ? To8Bits(s[1], png.BitDepth) : r;
                const int b = colour ? To8Bits(s[2], png.BitDepth) : r;
                const bool alpha = channels == 2 || channels == 4;
                int a = alpha ? To8Bits(s[channels - 1], png.BitDepth) : 255;
                if (png.HasTransparentColour &&
                    std::equal(png.TransparentColour.begin(), png.TransparentColour.end(), s)) {
                    a = 0;
                }
                c = qRgba(r, g, b, a);
            }
            image.setPixel(x, y, c);
        }
    }
    return image;
}

TRawPng Raw(int colorType, int depth, int width = 9, int height = 7) {
    TRawPng png;
    png.Width = width;
    png.Height = height;
    png.ColorType = colorType;
    png.BitDepth = depth;
    const unsigned top = colorType == PNG_COLOR_TYPE_PALETTE ? 5 : (1u << depth) - 1;
    const int count = width * height * ChannelCount(colorType);
    for (int i = 0; i < count; ++i)
        png.Samples.push_back(static_cast<uint16_t>(i * 2654435761u % (top + 1)));
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png.Palette = {qRgb(255, 0, 0),  qRgb(0, 255, 0), qRgb(0, 0, 255),
                       qRgb(9, 99, 199), qRgb(0, 0, 0),   qRgb(255, 255, 255)};
    }
    return png;
}

TEST(TPngCodec, ReadsEveryColourTypeDepthAndInterlacing) {
    struct TCase {
        const char* Name;
        TRawPng Png;
        bool Alpha;
    };
    std::vector<TCase> cases = {
        {"palette 8", Raw(PNG_COLOR_TYPE_PALETTE, 8), false},
        {"palette 4", Raw(PNG_COLOR_TYPE_PALETTE, 4), false},
        {"palette with tRNS", Raw(PNG_COLOR_TYPE_PALETTE, 8), true},
        {"grey 1", Raw(PNG_COLOR_TYPE_GRAY, 1), false},
        {"grey 2", Raw(PNG_COLOR_TYPE_GRAY, 2), false},
        {"grey 8", Raw(PNG_COLOR_TYPE_GRAY, 8), false},
        {"grey 16", Raw(PNG_COLOR_TYPE_GRAY, 16), false},
        {"grey with tRNS", Raw(PNG_COLOR_TYPE_GRAY, 8), true},
        {"grey alpha 8", Raw(PNG_COLOR_TYPE_GRAY_ALPHA, 8), true},
        {"grey alpha 16", Raw(PNG_COLOR_TYPE_GRAY_ALPHA, 16), true},
        {"rgb 8", Raw(PNG_COLOR_TYPE_RGB, 8), false},
        {"rgb 16", Raw(PNG_COLOR_TYPE_RGB, 16), false},
        {"rgb with tRNS", Raw(PNG_COLOR_TYPE_RGB, 8), true},
        {"rgba 8", Raw(PNG_COLOR_TYPE_RGB_ALPHA, 8), true},
        {"rgba 16", Raw(PNG_COLOR_TYPE_RGB_ALPHA, 16), true},
        {"rgb interlaced", Raw(PNG_COLOR_TYPE_RGB, 8, 13, 11), false},
        {"palette interlaced", Raw(PNG_COLOR_TYPE_PALETTE, 4, 13, 11), false},
    };
    cases[2].Png.Palette[1] = qRgba(0, 255, 0, 0);
    cases[2].Png.Palette[3] = qRgba(9, 99, 199, 128);
    for (int i : {7, 12}) {
        TRawPng& png = cases[i].Png;
        png.HasTransparentColour = true;
        png.TransparentColour.assign(png.Samples.begin(),
                                     png.Samples.begin() + ChannelCount(png.ColorType));
    }
    cases[15].Png.Interlaced = cases[16].Png.Interlaced = true;
    for (TRawPng* png : {&cases[16].Png}) {
        for (auto& s : png->Samples)
            s %= 4;
    }
    for (const TCase& c : cases) {
        const QImage image = TPngCodec::Decode(WritePng(c.Png));
        EXPECT_EQ(image.format(), c.Alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32) << c.Name;
        EXPECT_EQ(MaxChannelDifference(image, Expected(c.Png)), 0) << c.Name;
    }
}

TEST(TPngCodec, WritesSubFilterLevelSevenInSmallChunksNotInterlaced) {
    // Detail enough that the compressed data needs several chunks.
    const QImage picture = MakeDetailedPicture(700, 500);
    const QByteArray png = TPngCodec::Encode(picture);
    const auto chunks = ReadPngChunks(png);
    ASSERT_FALSE(chunks.empty());
    ASSERT_EQ(chunks[0].Type, "IHDR");
    const QByteArray& ihdr = chunks[0].Data;
    EXPECT_EQ(static_cast<int>(ihdr[8]), 8);   // bit depth
    EXPECT_EQ(static_cast<int>(ihdr[9]), 2);   // RGB
    EXPECT_EQ(static_cast<int>(ihdr[12]), 0);  // not interlaced
    QByteArray data;
    int idatCount = 0;
    for (const TPngChunk& chunk : chunks) {
        if (chunk.Type != "IDAT")
            continue;
        ++idatCount;
        EXPECT_LE(chunk.Data.size(), 65535);
        data += chunk.Data;
    }
    EXPECT_GT(idatCount, 1);
    // zlib records levels 7 to 9 as FLEVEL 3; the library default, 6, would give 2.
    EXPECT_EQ(static_cast<unsigned char>(data[1]) >> 6, 3);
    const QByteArray raw = Inflate(data);
    const int stride = 1 + picture.width() * 3;
    ASSERT_EQ(raw.size(), stride * picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        ASSERT_EQ(static_cast<int>(raw[y * stride]), 1) << "row " << y;
    }
    EXPECT_EQ(TPngCodec::Decode(png), picture);
}

TEST(TPngCodec, DropsAlphaWhenWriting) {
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 40));
    const QImage back = TPngCodec::Decode(TPngCodec::Encode(picture));
    EXPECT_EQ(back.format(), QImage::Format_RGB32);
    EXPECT_EQ(back.pixel(2, 1), qRgb(10, 20, 30));
}

TEST(TPngCodec, RefusesHugeHeadersAndDamagedData) {
    QByteArray huge = TPngCodec::Encode(MakeDetailedPicture(4, 4));
    qToBigEndian<quint32>(100000, huge.data() + 16);
    qToBigEndian<quint32>(100000, huge.data() + 20);
    const quint32 crc =
        static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(huge.constData() + 12), 17));
    qToBigEndian<quint32>(crc, huge.data() + 29);
    EXPECT_THROW(TPngCodec::Decode(huge), TError);

    const QByteArray good = TPngCodec::Encode(MakeDetailedPicture(40, 30));
    QByteArray flipped = good;
    flipped[good.size() / 2] = static_cast<char>(flipped[good.size() / 2] ^ 0x10);  // CRC fails
    for (const QByteArray& bad : {good.left(good.size() / 2), good.left(40), flipped}) {
        EXPECT_THROW(TPngCodec::Decode(bad), TError);
    }
}

}  // namespace
