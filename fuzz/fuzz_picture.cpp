// One picture decoder (chosen when building) on arbitrary bytes.
#include "TError.h"
#include ORVANE_CODEC_HEADER

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        (void)ORVANE_CODEC::Decode(bytes);
    } catch (const TError&) {
    }
    return 0;
}
