#include "TBase64.h"

#include <QIODevice>

#include <array>
#include <stdexcept>

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

struct TGroup {
    unsigned char Bytes[3];
};

TGroup DecodeGroup(const char* g) {
    const unsigned x1 = Values[static_cast<unsigned char>(g[0])];
    const unsigned x2 = Values[static_cast<unsigned char>(g[1])];
    const unsigned x3 = Values[static_cast<unsigned char>(g[2])];
    const unsigned x4 = Values[static_cast<unsigned char>(g[3])];
    return {{static_cast<unsigned char>((x1 << 2) | (x2 >> 4)),
             static_cast<unsigned char>(((x2 & 15) << 4) | (x3 >> 2)),
             static_cast<unsigned char>(((x3 & 3) << 6) | x4)}};
}

// The group at `g` padded out to four characters when the input ends early.
std::array<char, 4> GroupAt(const QByteArray& in, qsizetype at) {
    std::array<char, 4> g{'A', 'A', 'A', 'A'};
    for (qsizetype k = 0; k < 4 && at + k < in.size(); ++k)
        g[k] = in[at + k];
    return g;
}

}  // namespace

QByteArray TBase64::Encode(const QByteArray& bytes) {
    QByteArray out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 3 <= n; i += 3) {
        const unsigned v = (p[i] << 16) | (p[i + 1] << 8) | p[i + 2];
        out.append(Alphabet[v >> 18]);
        out.append(Alphabet[(v >> 12) & 63]);
        out.append(Alphabet[(v >> 6) & 63]);
        out.append(Alphabet[v & 63]);
    }
    if (n - i == 1) {
        const unsigned v = p[i] << 16;
        out.append(Alphabet[v >> 18]);
        out.append(Alphabet[(v >> 12) & 63]);
        out.append("==");
    } else if (n - i == 2) {
        const unsigned v = (p[i] << 16) | (p[i + 1] << 8);
        out.append(Alphabet[v >> 18]);
        out.append(Alphabet[(v >> 12) & 63]);
        out.append(Alphabet[(v >> 6) & 63]);
        out.append('=');
    }
    return out;
}

QByteArray TBase64::EncodeStream(QIODevice& stream) {
    if (!stream.seek(0)) {
        throw std::runtime_error("stream cannot be rewound");
    }
    return Encode(stream.readAll());
}

QByteArray TBase64::Decode(const QByteArray& base64) {
    QByteArray out;
    out.reserve(base64.size() / 4 * 3 + 3);
    for (qsizetype i = 0; i < base64.size(); i += 4) {
        const auto g = GroupAt(base64, i);
        for (unsigned char b : DecodeGroup(g.data()).Bytes) {
            if (b != 0)
                out.append(static_cast<char>(b));
        }
    }
    return out;
}

void TBase64::DecodeToStream(const QByteArray& base64, QIODevice& stream) {
    stream.seek(0);
    QByteArray out;
    out.reserve(base64.size() / 4 * 3 + 3);
    for (qsizetype i = 0; i < base64.size(); i += 4) {
        const auto g = GroupAt(base64, i);
        const TGroup bytes = DecodeGroup(g.data());
        int count = 3;
        if (g[0] == '=' || g[1] == '=') {
            count = 0;
        } else if (g[2] == '=') {
            count = 1;
        } else if (g[3] == '=') {
            count = 2;
        }
        out.append(reinterpret_cast<const char*>(bytes.Bytes), count);
        if (count < 3)
            break;
    }
    if (stream.write(out) != out.size()) {
        throw std::runtime_error("writing the decoded bytes failed");
    }
}
