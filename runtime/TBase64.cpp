#include "TBase64.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <stdexcept>

#include "THugePages.h"

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";

// 6-bit value of each byte; "=" and bytes outside the alphabet count as 0.
constexpr std::array<unsigned char, 256> MakeValues() {
    std::array<unsigned char, 256> values{};
    for (int i = 0; i < 64; ++i) {
        values[static_cast<unsigned char>(Alphabet[i])] = static_cast<unsigned char>(i);
    }
    return values;
}
constexpr auto Values = MakeValues();

// A code unit above 0xFF is outside the alphabet too.
unsigned ValueOf(char c) {
    return Values[static_cast<unsigned char>(c)];
}
unsigned ValueOf(char16_t c) {
    return c < 256 ? Values[c] : 0;
}

// The 24 bits of the group at `g`.
template <typename Unit>
unsigned GroupBits(const Unit* g) {
    return ValueOf(g[0]) << 18 | ValueOf(g[1]) << 12 | ValueOf(g[2]) << 6 | ValueOf(g[3]);
}

// The group at `at`, padded out with "A" (value 0) when the input ends early.
template <typename Unit>
std::array<Unit, 4> GroupAt(const Unit* in, qsizetype size, qsizetype at) {
    std::array<Unit, 4> g{'A', 'A', 'A', 'A'};
    for (qsizetype k = 0; k < 4 && at + k < size; ++k)
        g[k] = in[at + k];
    return g;
}

// Room for every byte the groups of `size` characters can hold, allocated once.
QByteArray OutputFor(qsizetype size) {
    QByteArray out((size + 3) / 4 * 3, Qt::Uninitialized);
    THugePages::Advise(out.data(), out.size());
    return out;
}

// Every group's three bytes except zeros, written without a branch.
template <typename Unit>
QByteArray DecodeDroppingZeros(const Unit* in, qsizetype size) {
    QByteArray out = OutputFor(size);
    char* p = out.data();
    const auto put = [&p](unsigned byte) {
        *p = static_cast<char>(byte);
        p += byte != 0;
    };
    const auto putGroup = [&put](unsigned bits) {
        put(bits >> 16);
        put((bits >> 8) & 0xFF);
        put(bits & 0xFF);
    };
    qsizetype i = 0;
    for (; i + 4 <= size; i += 4)
        putGroup(GroupBits(in + i));
    if (i < size)
        putGroup(GroupBits(GroupAt(in, size, i).data()));
    out.truncate(p - out.constData());
    return out;
}

}  // namespace

QByteArray TBase64::Encode(const QByteArray& bytes) {
    QByteArray out((bytes.size() + 2) / 3 * 4, Qt::Uninitialized);
    char* o = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 3 <= n; i += 3) {
        const unsigned v = (p[i] << 16) | (p[i + 1] << 8) | p[i + 2];
        *o++ = Alphabet[v >> 18];
        *o++ = Alphabet[(v >> 12) & 63];
        *o++ = Alphabet[(v >> 6) & 63];
        *o++ = Alphabet[v & 63];
    }
    if (n - i >= 1) {
        const unsigned v = (p[i] << 16) | (n - i == 2 ? p[i + 1] << 8 : 0);
        *o++ = Alphabet[v >> 18];
        *o++ = Alphabet[(v >> 12) & 63];
        *o++ = n - i == 2 ? Alphabet[(v >> 6) & 63] : '=';
        *o++ = '=';
    }
    return out;
}

QByteArray TBase64::EncodeStream(QIODevice& stream) {
    if (!stream.seek(0)) {
        throw std::runtime_error("stream cannot be rewound");
    }
    return Encode(stream.readAll());
}

QByteArray TBase64::Decode(QByteArrayView base64) {
    return DecodeDroppingZeros(base64.data(), base64.size());
}

QByteArray TBase64::Decode(QStringView base64) {
    return DecodeDroppingZeros(base64.utf16(), base64.size());
}

void TBase64::DecodeToStream(const QByteArray& base64, QIODevice& stream) {
    stream.seek(0);
    QByteArray out = OutputFor(base64.size());
    char* p = out.data();
    const char* in = base64.constData();
    const qsizetype size = base64.size();
    for (qsizetype i = 0; i < size; i += 4) {
        const auto g = GroupAt(in, size, i);
        const unsigned bits = GroupBits(g.data());
        int count = 3;
        if (g[0] == '=' || g[1] == '=') {
            count = 0;
        } else if (g[2] == '=') {
            count = 1;
        } else if (g[3] == '=') {
            count = 2;
        }
        const char bytes[3] = {static_cast<char>(bits >> 16), static_cast<char>(bits >> 8),
                               static_cast<char>(bits)};
        std::copy(bytes, bytes + count, p);
        p += count;
        if (count < 3)
            break;
    }
    out.truncate(p - out.constData());
    if (stream.write(out) != out.size()) {
        throw std::runtime_error("writing the decoded bytes failed");
    }
}
