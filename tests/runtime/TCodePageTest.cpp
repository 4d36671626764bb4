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
    {932, u"\uFF5E", "81 60"},          // FULLWIDTH TILDE
    {932, u"\u2460", "87 40"},          // CIRCLED DIGIT ONE (NEC special)
    {932, u"\uFF0D", "81 7C"},          // FULLWIDTH HYPHEN-MINUS
    {932, u"\u2225", "81 61"},          // PARALLEL TO
    {932, u"\uFF71", "B1"},             // HALFWIDTH KATAKANA A
    {932, u"\\~", "5C 7E"},             // ASCII stays ASCII
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

TEST(TCodePage, EmptyAndUnsupported) {
    EXPECT_TRUE(TCodePage::Encode(QString(), 932).isEmpty());
    EXPECT_TRUE(TCodePage::Decode(QByteArray(), 20932).isEmpty());
    EXPECT_FALSE(TCodePage::IsSupported(65535));
    EXPECT_THROW(TCodePage::Encode("a", 65535), std::invalid_argument);
}

}  // namespace
