#include <gtest/gtest.h>

#include <QtEndian>

#include "TBmpCodec.h"
#include "TError.h"
#include "TTestPictures.h"

using namespace testsupport;

namespace {

TEST(TBmpCodec, ReadsEveryUncompressedDepthBothWaysUp) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (bool topDown : {false, true}) {
            // 7 columns make every depth's rows end in padding.
            const TBmpSample sample = MakeBmp(bits, 7, 5, topDown);
            const QImage image = TBmpCodec::Decode(sample.Bytes);
            EXPECT_EQ(image.format(), QImage::Format_RGB32) << bits;
            EXPECT_EQ(image, sample.Expected) << bits << " bits, top-down " << topDown;
        }
    }
}

TEST(TBmpCodec, WritesTwentyFourBitBottomUpAndReadsItBack) {
    const QImage picture = MakeDetailedPicture(13, 6);
    const QByteArray bytes = TBmpCodec::Encode(picture);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);
    EXPECT_GT(qFromLittleEndian<qint32>(bytes.constData() + 22), 0);
    EXPECT_EQ(bytes.size(), 54 + 40 * 6);  // 13 × 3 bytes padded to 40
    EXPECT_EQ(TBmpCodec::Decode(bytes), picture);
}

TEST(TBmpCodec, ThirtyTwoBitsWithAnAlphaMask) {
    // A 108-byte header with bit fields: alpha, red, green, blue masks.
    TBmpSample sample = MakeBmp(32, 2, 1, true);
    QByteArray bytes = sample.Bytes;
    const quint32 masks[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    QByteArray extra(68, '\0');
    for (int i = 0; i < 4; ++i)
        qToLittleEndian(masks[i], extra.data() + 4 * i);
    bytes.insert(54, extra);
    qToLittleEndian<quint32>(108, bytes.data() + 14);
    qToLittleEndian<quint32>(3, bytes.data() + 30);  // BI_BITFIELDS
    qToLittleEndian<quint32>(54 + 68, bytes.data() + 10);
    bytes[54 + 68 + 3] = static_cast<char>(0x80);  // first pixel half transparent
    const QImage image = TBmpCodec::Decode(bytes);
    ASSERT_EQ(image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0x80);
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, sample.Expected.pixel(0, 0) & 0xFFFFFF);

    // Every alpha 0 means the writer ignored the channel: the picture is opaque.
    bytes[54 + 68 + 3] = 0;
    EXPECT_EQ(TBmpCodec::Decode(bytes), sample.Expected);
}

TEST(TBmpCodec, RefusesDamagedOrHostileHeaders) {
    const QByteArray good = MakeBmp(8, 4, 4, false).Bytes;
    // Fields patched into the good file: offset, value, field width.
    struct TPatch {
        int At;
        quint32 Value;
        int Bytes = 4;
    };
    auto patched = [&](std::initializer_list<TPatch> patches) {
        QByteArray b = good;
        for (const TPatch& p : patches) {
            for (int i = 0; i < p.Bytes; ++i)
                b[p.At + i] = static_cast<char>(p.Value >> (8 * i));
        }
        return b;
    };
    const std::pair<const char*, QByteArray> cases[] = {
        {"100000 x 100000", patched({{18, 100000}, {22, 100000}})},
        {"width 0", patched({{18, 0}})},
        {"height past the data", patched({{22, 5}})},
        {"data offset past the end", patched({{10, 0x7FFFFFF0}})},
        {"RLE compression", patched({{30, 1}})},
        {"palette larger than 256", patched({{46, 300}})},
        {"12 bits", patched({{28, 12, 2}})},
        {"two planes", patched({{26, 2, 2}})},
        {"unknown header size", patched({{14, 20}})},
        {"truncated pixels", good.left(good.size() - 1)},
        {"truncated header", good.left(20)},
    };
    for (const auto& [name, bytes] : cases) {
        EXPECT_THROW(TBmpCodec::Decode(bytes), TError) << name;
    }
}

}  // namespace
