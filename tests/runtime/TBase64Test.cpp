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
