#include <gtest/gtest.h>

#include <png.h>

#include "TBmpCodec.h"
#include "TError.h"
#include "TGifCodec.h"
#include "TJpegCodec.h"
#include "TPictureLoader.h"
#include "TPngCodec.h"
#include "TTestPictures.h"
#include "TTestSupport.h"

using namespace testsupport;

namespace {

QString ErrorOf(const QString& path) {
    try {
        TPictureLoader::Load(path);
    } catch (const TError& error) {
        return error.Message();
    }
    return {};
}

TEST(TPictureLoader, ChoosesTheDecoderByContentNotByName) {
    TScratchDir dir;
    const QImage picture = MakeDetailedPicture(6, 4);
    const std::pair<const char*, QByteArray> files[] = {
        {"png.jpg", TPngCodec::Encode(picture)},      {"bmp.gif", TBmpCodec::Encode(picture)},
        {"gif.png", TGifCodec::Encode(picture)},      {"jpeg.bmp", TJpegCodec::Encode(picture)},
        {"no-extension", TPngCodec::Encode(picture)},
    };
    for (const auto& [name, bytes] : files) {
        WriteFile(dir.File(name), bytes);
        const QImage image = TPictureLoader::Load(dir.File(name));
        EXPECT_EQ(image.size(), picture.size()) << name;
    }
    EXPECT_EQ(TPictureLoader::Load(dir.File("png.jpg")), picture);
}

TEST(TPictureLoader, FailuresNameTheFile) {
    TScratchDir dir;
    WriteFile(dir.File("text.png"), "not a picture at all");
    WriteFile(dir.File("empty.png"), "");
    WriteFile(dir.File("half.png"), TPngCodec::Encode(MakeDetailedPicture(30, 30)).left(100));
    for (const char* name : {"text.png", "empty.png", "half.png", "missing.png"}) {
        const QString message = ErrorOf(dir.File(name));
        EXPECT_TRUE(message.contains(dir.File(name))) << name << ": " << message.toStdString();
    }
    EXPECT_TRUE(ErrorOf(dir.File("text.png")).contains("対応していない形式"));
}

TEST(TPictureLoader, TransparentAreasComeOutWhite) {
    TRawPng raw;
    raw.Width = 3;
    raw.Height = 1;
    raw.ColorType = PNG_COLOR_TYPE_RGB_ALPHA;
    raw.Samples = {0, 0, 0, 0, 200, 100, 0, 128, 10, 20, 30, 255};
    TScratchDir dir;
    WriteFile(dir.File("alpha.png"), WritePng(raw));
    const QImage image = TPictureLoader::LoadOnWhite(dir.File("alpha.png"));
    ASSERT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    // 128/255 of the colour over white.
    EXPECT_EQ(image.pixel(1, 0),
              qRgb((200 * 128 + 255 * 127 + 127) / 255, (100 * 128 + 255 * 127 + 127) / 255,
                   (255 * 127 + 127) / 255));
    EXPECT_EQ(image.pixel(2, 0), qRgb(10, 20, 30));
}

// Damaged files of every format either fail with TError or give a picture; none crashes.
TEST(TPictureLoader, BitFlipsAndCutsNeverCrash) {
    const QImage picture = MakeDetailedPicture(24, 20);
    for (const QByteArray& good : {TJpegCodec::Encode(picture), TPngCodec::Encode(picture),
                                   TGifCodec::Encode(picture), TBmpCodec::Encode(picture)}) {
        for (qsizetype at = 0; at < good.size(); at += 5) {
            QByteArray flipped = good;
            flipped[at] = static_cast<char>(flipped[at] ^ (1 << (at % 8)));
            for (const QByteArray& bad : {flipped, good.left(at)}) {
                try {
                    EXPECT_FALSE(TPictureLoader::Decode(bad).isNull());
                } catch (const TError&) {
                }
            }
        }
    }
}

}  // namespace
