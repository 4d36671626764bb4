#pragma once
// Base64 of RFC 4648 (standard alphabet, "=" padding, no line breaks). Carries multi-line
// project texts and picture bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

class QIODevice;

class TBase64 {
public:
    static QByteArray Encode(const QByteArray& bytes);
    // Encodes the device's whole content from its first byte, whatever its position.
    static QByteArray EncodeStream(QIODevice& stream);
    // For texts: zero bytes are left out of the result, which also drops the pad positions.
    static QByteArray Decode(QByteArrayView base64);
    // The same on the characters of a text; those above U+00FF are outside the alphabet.
    static QByteArray Decode(QStringView base64);
    // For file contents: writes exactly the encoded bytes, zeros included, from position 0;
    // decoding ends with the first group that holds "=".
    static void DecodeToStream(const QByteArray& base64, QIODevice& stream);
};
