#include <gtest/gtest.h>

#include <QBuffer>

#include "TBase64.h"
#include "TStringUtility.h"

namespace {

TEST(TBase64, EncodesRfc4648Vectors) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(TBase64::Encode(plain), QByteArray(encoded));
        EXPECT_EQ(TBase64::Decode(encoded), QByteArray(plain));
    }
}

TEST(TBase64, DecodeDropsZeroBytesButDecodeToStreamKeepsThem) {
    const QByteArray bytes("a\0b\0\0c\xff", 7);
    const QByteArray encoded = TBase64::Encode(bytes);
    EXPECT_EQ(TBase64::Decode(encoded), QByteArray("abc\xff"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    TBase64::DecodeToStream(encoded, buffer);
    EXPECT_EQ(buffer.data(), bytes);
}

TEST(TBase64, DecodeToStreamWritesExactLengths) {
    for (int length : {0, 1, 2, 3, 4, 5, 6, 299, 300, 301}) {
        QByteArray bytes(length, '\0');
        for (int i = 0; i < length; ++i)
            bytes[i] = static_cast<char>(i * 7);
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        TBase64::DecodeToStream(TBase64::Encode(bytes), buffer);
        EXPECT_EQ(buffer.data(), bytes) << length;
    }
}

TEST(TBase64, DecodeToStreamStopsAtTheFirstPaddedGroup) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    TBase64::DecodeToStream("Zg==Zm9v", buffer);
    EXPECT_EQ(buffer.data(), QByteArray("f"));
}

TEST(TBase64, MalformedInputNeverFails) {
    for (const char* junk : {"Z", "Zm9", "@@@@", "====", "Zm9v\r\n"}) {
        EXPECT_NO_THROW(TBase64::Decode(junk));
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        EXPECT_NO_THROW(TBase64::DecodeToStream(junk, buffer));
    }
}

TEST(TBase64, ShortAndOddlyPaddedEndings) {
    struct TCase {
        const char* Base64;
        QByteArray Text;    // Decode
        QByteArray Stream;  // DecodeToStream
    };
    // A short last group is filled with "A" (zero bits); only "=" ends the stream.
    const TCase cases[] = {
        {"Zg=", "f", "f"},
        {"Zg", "f", QByteArray("f\0\0", 3)},
        {"Zm9vYg", "foob", QByteArray("foob\0\0", 6)},
        {"Zm9vY", "foo`", QByteArray("foo`\0\0", 6)},
        {"Zm=v", "f`/", "f"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Base64);
        EXPECT_EQ(TBase64::Decode(c.Base64), c.Text);
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        TBase64::DecodeToStream(c.Base64, buffer);
        EXPECT_EQ(buffer.data(), c.Stream);
    }
}

TEST(TBase64, TextDecodesLikeItsBytes) {
    // A code unit above U+00FF is outside the alphabet, as a byte outside it is.
    const QString text = QString::fromUtf16(u"Zm9v\u3042YmFy");
    EXPECT_EQ(TBase64::Decode(QStringView(text)), TBase64::Decode(QByteArray("Zm9v?YmFy")));
    const QByteArray long64 = TBase64::Encode(QByteArray(100000, 'x') + "日本");
    EXPECT_EQ(TStringUtility::DecodeUtf8Base64(QLatin1StringView(long64)),
              TStringUtility::DecodeUtf8Base64(QString::fromLatin1(long64)));
    // A leading byte-order mark is dropped, one further on kept.
    EXPECT_EQ(TStringUtility::DecodeUtf8Base64(QStringLiteral("77u/YQ==")), QString("a"));
    EXPECT_EQ(TStringUtility::DecodeUtf8Base64(QStringLiteral("Ye+7vw==")),
              QString("a") + QChar(0xFEFF));
}

TEST(TBase64, EncodeStreamReadsFromTheStart) {
    QBuffer buffer;
    buffer.setData("foobar");
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(4);
    EXPECT_EQ(TBase64::EncodeStream(buffer), QByteArray("Zm9vYmFy"));
}

TEST(TStringUtility, EscapesTheFourCharactersOnly) {
    EXPECT_EQ(TStringUtility::EscapeHtml("a<b>c&d\"e'f"), QString("a&lt;b&gt;c&amp;d&quot;e'f"));
    EXPECT_EQ(TStringUtility::EscapeHtml("plain"), QString("plain"));
    EXPECT_EQ(TStringUtility::EscapeHtml(""), QString(""));
    EXPECT_EQ(TStringUtility::EscapeHtml("&lt;"), QString("&amp;lt;"));
    EXPECT_EQ(TStringUtility::EscapeHtml(TStringUtility::EscapeHtml("<")), QString("&amp;lt;"));
}

TEST(TStringUtility, Utf8Base64RoundTripsJapaneseAndLineBreaks) {
    const QString texts[] = {"", "a", "日本語\r\n  二行目 \r\n", "<p>\"x\"</p>\n\t"};
    for (const QString& t : texts) {
        EXPECT_EQ(TStringUtility::DecodeUtf8Base64(TStringUtility::EncodeUtf8Base64(t)), t);
    }
    EXPECT_EQ(TStringUtility::EncodeUtf8Base64("日"), QString("5pel"));
}

}  // namespace
