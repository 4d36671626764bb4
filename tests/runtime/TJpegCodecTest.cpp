#include <gtest/gtest.h>

#include <QtEndian>
#include <cstdio>

#include <jpeglib.h>

#include "TError.h"
#include "TJpegCodec.h"
#include "TPictureScale.h"
#include "TTestPictures.h"
#include "TTestSupport.h"

using namespace testsupport;

namespace {

// The order in which a JPEG file lists the 64 coefficients of a table.
constexpr int ZigZag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                            12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                            35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                            58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

struct TSegment {
    int Marker;
    QByteArray Data;
};

// The marker segments before the entropy-coded data.
std::vector<TSegment> HeaderSegments(const QByteArray& jpeg) {
    std::vector<TSegment> segments;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
        const int marker = static_cast<unsigned char>(jpeg[at + 1]);
        const int length = qFromBigEndian<quint16>(jpeg.constData() + at + 2);
        segments.push_back({marker, jpeg.mid(at + 4, length - 2)});
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    return segments;
}

double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

// Solid red, green, blue and white columns, 8 pixels wide each, as raw samples.
TRawJpeg ColourBars(int inSpace, int jpegSpace, bool adobe, bool invertedInk) {
    const uint8_t cmyk[4][4] = {{0, 255, 255, 0}, {255, 0, 255, 0}, {255, 255, 0, 0}, {0, 0, 0, 0}};
    const uint8_t rgb[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    TRawJpeg jpeg;
    jpeg.Width = 32;
    jpeg.Height = 16;
    jpeg.InSpace = inSpace;
    jpeg.JpegSpace = jpegSpace;
    jpeg.AdobeMarker = adobe;
    for (int y = 0; y < jpeg.Height; ++y) {
        for (int x = 0; x < jpeg.Width; ++x) {
            const int bar = x / 8;
            if (inSpace == JCS_CMYK) {
                for (uint8_t v : cmyk[bar])
                    jpeg.Samples.push_back(invertedInk ? 255 - v : v);
            } else {
                for (uint8_t v : rgb[bar])
                    jpeg.Samples.push_back(v);
            }
        }
    }
    return jpeg;
}

void ExpectColourBars(const QImage& image, const char* name) {
    ASSERT_EQ(image.size(), QSize(32, 16)) << name;
    EXPECT_EQ(image.format(), QImage::Format_RGB32) << name;
    const QRgb bars[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    for (int bar = 0; bar < 4; ++bar) {
        const QRgb got = image.pixel(bar * 8 + 4, 8);
        EXPECT_NEAR(qRed(got), qRed(bars[bar]), 12) << name << " bar " << bar;
        EXPECT_NEAR(qGreen(got), qGreen(bars[bar]), 12) << name << " bar " << bar;
        EXPECT_NEAR(qBlue(got), qBlue(bars[bar]), 12) << name << " bar " << bar;
    }
}

TEST(TJpegCodec, WritesBaselineJfifAtQualityNinetyAndReadsItBack) {
    const QImage picture = MakeDetailedPicture(64, 48);
    const QByteArray jpeg = TJpegCodec::Encode(picture);
    const auto segments = HeaderSegments(jpeg);
    ASSERT_FALSE(segments.empty());
    EXPECT_EQ(segments[0].Marker, 0xE0);
    EXPECT_TRUE(segments[0].Data.startsWith(QByteArray("JFIF", 5)));

    jpeg_compress_struct reference{};
    jpeg_error_mgr error{};
    reference.err = jpeg_std_error(&error);
    jpeg_create_compress(&reference);
    reference.in_color_space = JCS_RGB;
    reference.input_components = 3;
    jpeg_set_defaults(&reference);
    jpeg_set_quality(&reference, 90, TRUE);
    int sof0 = 0, tables = 0;
    for (const TSegment& s : segments) {
        EXPECT_FALSE(s.Marker >= 0xC1 && s.Marker <= 0xCF && s.Marker != 0xC4 && s.Marker != 0xCC)
            << "frame type " << std::hex << s.Marker;
        if (s.Marker == 0xC0) {
            ++sof0;
            EXPECT_EQ(static_cast<int>(s.Data[5]), 3) << "colour: three components";
        }
        for (qsizetype at = 0; s.Marker == 0xDB && at + 65 <= s.Data.size(); at += 65) {
            const int precisionAndId = s.Data[at];
            ASSERT_LT(precisionAndId, 2);  // 8-bit tables 0 and 1
            const JQUANT_TBL* expected = reference.quant_tbl_ptrs[precisionAndId];
            for (int i = 0; i < 64; ++i) {
                EXPECT_EQ(static_cast<unsigned char>(s.Data[at + 1 + i]),
                          expected->quantval[ZigZag[i]]);
            }
            ++tables;
        }
    }
    jpeg_destroy_compress(&reference);
    EXPECT_EQ(sof0, 1);
    EXPECT_EQ(tables, 2);

    EXPECT_EQ(TJpegCodec::Decode(jpeg).size(), picture.size());
}

TEST(TJpegCodec, RoundTripKeepsASmoothPictureClose) {
    QImage picture(40, 24, QImage::Format_RGB32);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, qRgb(x * 6, y * 10, 200 - x * 3));
    }
    const QImage back = TJpegCodec::Decode(TJpegCodec::Encode(picture));
    EXPECT_EQ(back.format(), QImage::Format_RGB32);
    ASSERT_EQ(back.size(), picture.size());
    EXPECT_LT(MeanDifference(back, picture), 2.0);
}

TEST(TJpegCodec, ReadsGreyscaleCmykAndYcckAsColour) {
    TRawJpeg grey;
    grey.Width = 5;
    grey.Height = 3;
    grey.InSpace = grey.JpegSpace = JCS_GRAYSCALE;
    grey.Samples.assign(15, 77);
    const QImage greyImage = TJpegCodec::Decode(WriteJpeg(grey));
    EXPECT_EQ(greyImage.format(), QImage::Format_RGB32);
    EXPECT_NEAR(qRed(greyImage.pixel(2, 1)), 77, 2);
    EXPECT_EQ(qRed(greyImage.pixel(2, 1)), qBlue(greyImage.pixel(2, 1)));

    // Adobe's writers store inverted ink and say so with their marker; others store plain ink.
    ExpectColourBars(TJpegCodec::Decode(WriteJpeg(ColourBars(JCS_CMYK, JCS_CMYK, true, true))),
                     "Adobe CMYK");
    ExpectColourBars(TJpegCodec::Decode(WriteJpeg(ColourBars(JCS_CMYK, JCS_CMYK, false, false))),
                     "plain CMYK");
    ExpectColourBars(TJpegCodec::Decode(WriteJpeg(ColourBars(JCS_CMYK, JCS_YCCK, true, true))),
                     "Adobe YCCK");
    ExpectColourBars(TJpegCodec::Decode(WriteJpeg(ColourBars(JCS_RGB, JCS_YCbCr, false, false))),
                     "YCbCr");
    const QImage magick =
        TJpegCodec::Decode(ReadFile(ORVANE_TEST_SUPPORT_DIR "/pictures/cmyk-imagemagick.jpg"));
    EXPECT_NEAR(qRed(magick.pixel(4, 4)), 255, 12);
    EXPECT_NEAR(qBlue(magick.pixel(4, 4)), 0, 12);
    EXPECT_NEAR(qBlue(magick.pixel(28, 4)), 255, 12);
    EXPECT_NEAR(qRed(magick.pixel(28, 4)), 0, 12);
}

TEST(TJpegCodec, DecodingToFitGivesThePixelsOfDecodingThenDroppingRowsAndColumns) {
    struct TCase {
        const char* Name;
        int InSpace, JpegSpace, LumaH, LumaV;
        bool Progressive;
    };
    const TCase cases[] = {
        {"4:2:0", JCS_RGB, JCS_YCbCr, 2, 2, false},
        {"4:2:2", JCS_RGB, JCS_YCbCr, 2, 1, false},
        {"4:4:4", JCS_RGB, JCS_YCbCr, 1, 1, false},
        {"progressive", JCS_RGB, JCS_YCbCr, 2, 2, true},
        {"grey", JCS_GRAYSCALE, JCS_GRAYSCALE, 1, 1, false},
        {"CMYK", JCS_CMYK, JCS_CMYK, 1, 1, false},
    };
    const QImage picture = MakeDetailedPicture(203, 157);
    for (const TCase& c : cases) {
        TRawJpeg raw;
        raw.Width = picture.width();
        raw.Height = picture.height();
        raw.InSpace = c.InSpace;
        raw.JpegSpace = c.JpegSpace;
        raw.LumaH = c.LumaH;
        raw.LumaV = c.LumaV;
        raw.Progressive = c.Progressive;
        raw.Quality = 85;
        const int components = c.InSpace == JCS_GRAYSCALE ? 1 : c.InSpace == JCS_CMYK ? 4 : 3;
        for (int y = 0; y < raw.Height; ++y) {
            for (int x = 0; x < raw.Width; ++x) {
                const QRgb p = picture.pixel(x, y);
                const uint8_t v[4] = {static_cast<uint8_t>(qRed(p)),
                                      static_cast<uint8_t>(qGreen(p)),
                                      static_cast<uint8_t>(qBlue(p)), 40};
                raw.Samples.insert(raw.Samples.end(), v, v + components);
            }
        }
        const QByteArray jpeg = WriteJpeg(raw);
        const QImage full = TJpegCodec::Decode(jpeg);
        // Limits that keep every row, most rows, few rows, one row; height or width limiting.
        const std::pair<int, int> limits[] = {{157, 100}, {150, 500}, {100, 100}, {31, 1000},
                                              {17, 9},    {1, 1},     {500, 500}, {0, 50}};
        for (const auto& [maxHeight, maxWidth] : limits) {
            const auto size = TPictureScale::FitSize(full.size(), maxHeight, maxWidth);
            const QImage expected = size ? TPictureScale::Sample(full, *size) : full;
            EXPECT_EQ(TJpegCodec::DecodeToFit(jpeg, maxHeight, maxWidth), expected)
                << c.Name << " limits " << maxHeight << " x " << maxWidth;
        }
    }
}

// A small JPEG whose frame header announces another size.
QByteArray WithAnnouncedSize(QByteArray jpeg, int width, int height) {
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    qToBigEndian<quint16>(static_cast<quint16>(height), jpeg.data() + sof + 5);
    qToBigEndian<quint16>(static_cast<quint16>(width), jpeg.data() + sof + 7);
    return jpeg;
}

TEST(TJpegCodec, RefusesHugeHeadersAndTruncatedData) {
    const QByteArray good = TJpegCodec::Encode(MakeDetailedPicture(64, 64));
    // 16 bits per side: the largest a JPEG can announce, far beyond the pixel limit.
    EXPECT_THROW(TJpegCodec::Decode(WithAnnouncedSize(good, 65000, 65000)), TError);
    EXPECT_THROW(TJpegCodec::DecodeToFit(WithAnnouncedSize(good, 65000, 65000), 10, 10), TError);
    for (qsizetype length : {qsizetype(3), qsizetype(100), good.size() / 2, good.size() - 40}) {
        EXPECT_THROW(TJpegCodec::Decode(good.left(length)), TError) << length;
    }
    EXPECT_THROW(TJpegCodec::Decode("\xFF\xD8\xFF"), TError);
}

// The first scan of a progressive file, header and data, up to the next marker.
QByteArray FirstScan(const QByteArray& jpeg) {
    const qsizetype start = jpeg.indexOf("\xFF\xDA");
    qsizetype end = start + 2;
    while (end + 1 < jpeg.size()) {
        const auto next = static_cast<unsigned char>(jpeg[end + 1]);
        if (static_cast<unsigned char>(jpeg[end]) == 0xFF && next != 0 &&
            (next < 0xD0 || next > 0xD7)) {
            break;
        }
        ++end;
    }
    return jpeg.mid(start, end - start);
}

TEST(TJpegCodec, EndlessProgressiveScansAreCutShort) {
    TRawJpeg raw;
    raw.Width = raw.Height = 8;
    raw.InSpace = raw.JpegSpace = JCS_GRAYSCALE;
    raw.Progressive = true;
    raw.Samples.assign(64, 100);
    QByteArray jpeg = WriteJpeg(raw);
    const QByteArray scan = FirstScan(jpeg);
    ASSERT_FALSE(scan.isEmpty());
    auto withCopies = [&](int copies) {
        QByteArray bytes = jpeg;
        return bytes.insert(bytes.indexOf(scan) + scan.size(), scan.repeated(copies));
    };
    // Repeated scans are only a warning to libjpeg; a thousand of them are still read.
    EXPECT_NO_THROW(TJpegCodec::Decode(withCopies(900)));
    EXPECT_THROW(TJpegCodec::Decode(withCopies(1500)), TError);
}

TEST(TJpegCodec, StrayBytesBetweenMarkersAreOnlyAWarning) {
    const QImage picture = MakeDetailedPicture(16, 16);
    QByteArray jpeg = TJpegCodec::Encode(picture);
    jpeg.insert(jpeg.indexOf("\xFF\xDB"), "junk");  // before the first quantisation table
    EXPECT_EQ(TJpegCodec::Decode(jpeg), TJpegCodec::Decode(TJpegCodec::Encode(picture)));
}

}  // namespace
