#include <gtest/gtest.h>

#include "TCodePage.h"
#include "TTestSupport.h"

using testsupport::Hex;

namespace {

struct TVector {
    int CodePage;
    const char16_t* Text;
    const char* Bytes;
};

// Windows-compatible mappings: the characters where the Japanese code pages differ between
// vendors, a half-width katakana, and plain Japanese text.
const TVector Vectors[] = {
    {932, u"\uFF5E", "81 60"},  // FULLWIDTH TILDE
    {932, u"\u2460", "87 40"},  // CIRCLED DIGIT ONE (NEC special)
    {932, u"\uFF0D", "81 7C"},  // FULLWIDTH HYPHEN-MINUS
    {932, u"\u2225", "81 61"},  // PARALLEL TO
    {932, u"\uFF71", "B1"},     // HALFWIDTH KATAKANA A
    {932, u"\\~", "5C 7E"},     // ASCII stays ASCII
    {932, u"日本語", "93 FA 96 7B 8C EA"},
    {20932, u"日本語", "C6 FC CB DC B8 EC"},
    {20932, u"\uFF5E", "A1 C1"},
    {20932, u"\uFF71", "8E B1"},
    {65001, u"日本語", "E6 97 A5 E6 9C AC E8 AA 9E"},
    {65001, u"\U0001F600", "F0 9F 98 80"},
};

TEST(TCodePage, RoundTripsWindowsCompatibleVectors) {
    for (const auto& v : Vectors) {
        const QString text = QString::fromUtf16(v.Text);
        SCOPED_TRACE(testing::Message() << v.CodePage << " " << text.toStdString());
        EXPECT_EQ(TCodePage::Encode(text, v.CodePage).toHex(' '), Hex(v.Bytes).toHex(' '));
        EXPECT_EQ(TCodePage::Decode(Hex(v.Bytes), v.CodePage), text);
    }
}

TEST(TCodePage, UnrepresentableCharactersBecomeQuestionMarks) {
    // An emoji (a surrogate pair) and Hangul have no place in the Japanese code pages.
    const QString text = QString::fromUtf16(u"a\U0001F600b\uD55Cc");
    EXPECT_EQ(TCodePage::Encode(text, 932), QByteArray("a?b?c"));
    EXPECT_EQ(TCodePage::Encode(text, 20932), QByteArray("a?b?c"));
    // A lone surrogate is one unrepresentable character too.
    EXPECT_EQ(TCodePage::Encode(QString(QChar(0xD800)) + "x", 932), QByteArray("?x"));
}

TEST(TCodePage, UndefinedBytesDecodeToQuestionMarks) {
    EXPECT_EQ(TCodePage::Decode(Hex("41 FF 42"), 932), QString("A?B"));
    // A lead byte cut off at the end.
    EXPECT_EQ(TCodePage::Decode(Hex("41 93"), 932), QString("A?"));
}

TEST(TCodePage, OnlyTheStretchesOutsideAsciiAreConverted) {
    // Long ASCII runs around the converted stretches, and the places where a stretch ends:
    // a byte in the ASCII range may still be the second byte of a character.
    const std::pair<const char*, const char16_t*> decoded[] = {
        {"61 62 63 64 65 66 67 68 93 FA 69 6A 6B 6C 6D 6E 6F 70", u"abcdefgh日ijklmnop"},
        {"81 40 41", u"\u3000A"},   // 0x40 completes the ideographic space
        {"85 40 41", u"?@A"},       // an undefined pair: the second byte is read again
        {"81 0A 93 FA", u"?\n日"},  // a lead byte before a line break
        {"41 42 43 44 45 46 47 48 49 93", u"ABCDEFGHI?"},
        {"B1 20 B1", u"\uFF71 \uFF71"},
    };
    for (const auto& [bytes, text] : decoded) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(TCodePage::Decode(Hex(bytes), 932), QString::fromUtf16(text));
    }
    const std::pair<const char16_t*, const char*> encoded[] = {
        {u"abcdefgh日ijklmnop", "61 62 63 64 65 66 67 68 93 FA 69 6A 6B 6C 6D 6E 6F 70"},
        {u"\xD800"
         u"a",
         "3F 61"},  // a high surrogate cut off by ASCII
        {u"\U0001F600a日", "3F 61 93 FA"},
    };
    for (const auto& [text, bytes] : encoded) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(TCodePage::Encode(QString::fromUtf16(text), 932).toHex(' '),
                  Hex(bytes).toHex(' '));
    }
    EXPECT_TRUE(TCodePage::IsAscii("plain\r\n\x7f"));
    EXPECT_FALSE(TCodePage::IsAscii("0123456789\x80"));
}

TEST(TCodePage, EmptyAndUnsupported) {
    EXPECT_TRUE(TCodePage::Encode(QString(), 932).isEmpty());
    EXPECT_TRUE(TCodePage::Decode(QByteArray(), 20932).isEmpty());
    EXPECT_FALSE(TCodePage::IsSupported(65535));
    EXPECT_THROW(TCodePage::Encode("a", 65535), std::invalid_argument);
}

}  // namespace
