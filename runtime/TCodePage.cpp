#include "TCodePage.h"

#include <iconv.h>

#include <cerrno>
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

    // Converts all of [in, in + size); on an undefined sequence appends `substitute`
    // and skips `skip(in)` input bytes.
    template <typename Skip>
    QByteArray Convert(const char* in, size_t size, const QByteArray& substitute, Skip skip) {
        QByteArray out;
        out.reserve(static_cast<qsizetype>(size * 2 + 16));
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
        return out;
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

}  // namespace

bool TCodePage::IsSupported(int codePage) {
    return IconvName(codePage) != nullptr;
}

QByteArray TCodePage::Encode(const QString& text, int codePage) {
    const char* name = Require(codePage);
    if (codePage == Utf8) {
        return text.toUtf8();
    }
    TIconv conv(name, "UTF-16LE");
    const auto* data = reinterpret_cast<const char*>(text.utf16());
    // One character is skipped: two code units when it is a surrogate pair.
    return conv.Convert(data, static_cast<size_t>(text.size()) * 2, QByteArray("?"),
                        [](const char* p, size_t left) -> size_t {
                            const auto unit = [p](int at) {
                                return static_cast<unsigned char>(p[at]) |
                                       (static_cast<unsigned char>(p[at + 1]) << 8);
                            };
                            const bool pair = left >= 4 && unit(0) >= 0xD800 && unit(0) < 0xDC00 &&
                                              unit(2) >= 0xDC00 && unit(2) < 0xE000;
                            return pair ? 4 : 2;
                        });
}

QString TCodePage::Decode(const QByteArray& bytes, int codePage) {
    const char* name = Require(codePage);
    if (codePage == Utf8) {
        return QString::fromUtf8(bytes);
    }
    TIconv conv("UTF-16LE", name);
    const QByteArray question = QByteArray("?\0", 2);
    const QByteArray utf16 =
        conv.Convert(bytes.constData(), static_cast<size_t>(bytes.size()), question,
                     [](const char*, size_t) -> size_t { return 1; });
    return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
}
