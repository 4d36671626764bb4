#include "TCodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>

namespace {

const char* IconvName(int codePage) {
    switch (codePage) {
        case TCodePage::Utf8:
            return "UTF-8";
        case TCodePage::ShiftJis:
            return "CP932";
        case TCodePage::EucJp:
            // The Microsoft variant maps U+FF5E and the other CP932 specials like Windows does.
            return "EUC-JP-MS";
        default:
            return nullptr;
    }
}

class TIconv {
public:
    TIconv(const char* to, const char* from) : FHandle(iconv_open(to, from)) {
        if (FHandle == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~TIconv() { iconv_close(FHandle); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts all of [in, in + size) and appends the result to `out`; on an undefined
    // sequence appends `substitute` and skips `skip(in)` input bytes.
    template <typename Skip>
    void Convert(const char* in, size_t size, QByteArray& out, const QByteArray& substitute,
                 Skip skip) {
        char buffer[16384];
        char* src = const_cast<char*>(in);
        size_t left = size;
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            const size_t rc = iconv(FHandle, &src, &left, &dst, &room);
            out.append(buffer, dst - buffer);
            if (rc != static_cast<size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut off at the end): substitute and go on.
            out.append(substitute);
            const size_t step = std::min(left, skip(src, left));
            src += step;
            left -= step;
            iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        }
        char* dst = buffer;
        size_t room = sizeof buffer;
        iconv(FHandle, nullptr, nullptr, &dst, &room);
        out.append(buffer, dst - buffer);
    }

private:
    iconv_t FHandle;
};

const char* Require(int codePage) {
    const char* name = IconvName(codePage);
    if (!name) {
        throw std::invalid_argument("unsupported code page " + std::to_string(codePage));
    }
    return name;
}

// One character of UTF-16LE input: two code units when it is a surrogate pair.
size_t Utf16CharacterSize(const char* p, size_t left) {
    const auto unit = [p](int at) {
        return static_cast<unsigned char>(p[at]) | (static_cast<unsigned char>(p[at + 1]) << 8);
    };
    const bool pair =
        left >= 4 && unit(0) >= 0xD800 && unit(0) < 0xDC00 && unit(2) >= 0xDC00 && unit(2) < 0xE000;
    return pair ? 4 : 2;
}

// The first byte at or after `p` that is not ASCII, or `end`; eight bytes at a time.
const char* FindNonAscii(const char* p, const char* end) {
    constexpr uint64_t HighBits = 0x8080808080808080u;
    for (uint64_t word; end - p >= 8; p += 8) {
        std::memcpy(&word, p, 8);
        if (word & HighBits)
            break;
    }
    while (p < end && static_cast<unsigned char>(*p) < 0x80)
        ++p;
    return p;
}

}  // namespace

bool TCodePage::IsSupported(int codePage) {
    return IconvName(codePage) != nullptr;
}

bool TCodePage::IsAscii(QByteArrayView bytes) {
    return FindNonAscii(bytes.data(), bytes.data() + bytes.size()) == bytes.data() + bytes.size();
}

// Both Japanese code pages keep ASCII as it is, so only the stretches between ASCII go through
// the converter. Their ends are chosen where the whole text converted at once would also
// start a new character, so the result is the same.

QByteArray TCodePage::Encode(const QString& text, int codePage) {
    const char* name = Require(codePage);
    if (codePage == Utf8) {
        return text.toUtf8();
    }
    const char16_t* const begin = QStringView(text).utf16();
    const char16_t* const end = begin + text.size();
    const auto isAscii = [](char16_t c) { return c < 0x80; };
    QByteArray out;
    out.reserve(text.size());
    std::optional<TIconv> conv;
    for (const char16_t* p = begin; p < end;) {
        const char16_t* other = std::find_if_not(p, end, isAscii);
        const qsizetype ascii = other - p;
        const qsizetype at = out.size();
        out.resize(at + ascii);
        std::transform(p, other, out.data() + at, [](char16_t c) { return static_cast<char>(c); });
        if (other == end)
            break;
        // Any ASCII code unit starts a character: it is never half of a surrogate pair.
        p = std::find_if(other, end, isAscii);
        if (!conv)
            conv.emplace(name, "UTF-16LE");
        conv->Convert(reinterpret_cast<const char*>(other), static_cast<size_t>(p - other) * 2, out,
                      QByteArray("?"), Utf16CharacterSize);
    }
    return out;
}

QString TCodePage::Decode(const QByteArray& bytes, int codePage) {
    const char* name = Require(codePage);
    if (codePage == Utf8) {
        return QString::fromUtf8(bytes);
    }
    const char* const end = bytes.constData() + bytes.size();
    QString out;
    out.reserve(bytes.size());
    QByteArray utf16;
    std::optional<TIconv> conv;
    for (const char* p = bytes.constData(); p < end;) {
        const char* other = FindNonAscii(p, end);
        out.append(QLatin1StringView(p, other - p));
        if (other == end)
            break;
        // A byte below 0x40 is never the second byte of a character, so conversion can end
        // before it: a lead byte left alone there is undefined either way.
        p = std::find_if(other, end, [](char c) { return static_cast<unsigned char>(c) < 0x40; });
        if (!conv)
            conv.emplace("UTF-16LE", name);
        utf16.clear();
        conv->Convert(other, static_cast<size_t>(p - other), utf16, QByteArray("?\0", 2),
                      [](const char*, size_t) -> size_t { return 1; });
        out.append(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
    }
    return out;
}
