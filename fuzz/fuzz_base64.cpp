// The Base64 decoders on arbitrary text.
#include <QBuffer>

#include "TBase64.h"
#include "TStringUtility.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)TBase64::Decode(text);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    TBase64::DecodeToStream(text, buffer);
    (void)TStringUtility::DecodeUtf8Base64(QString::fromLatin1(text));
    // What the encoder writes must decode back exactly.
    QBuffer back;
    back.open(QIODevice::ReadWrite);
    TBase64::DecodeToStream(TBase64::Encode(text), back);
    if (back.data() != text)
        __builtin_trap();
    return 0;
}
