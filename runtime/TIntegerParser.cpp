#include "TIntegerParser.h"

namespace {

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// Skips a hexadecimal prefix at `i`; returns whether one was there.
bool SkipHexPrefix(const QString& s, qsizetype& i) {
    if (i >= s.size())
        return false;
    const QChar c = s[i];
    if (c == u'$' || c == u'x' || c == u'X') {
        ++i;
        return true;
    }
    if (c == u'0' && i + 1 < s.size() && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        i += 2;
        return true;
    }
    return false;
}

std::optional<uint32_t> ParseHex(const QString& s, qsizetype i) {
    if (i >= s.size())
        return std::nullopt;
    uint32_t value = 0;
    int significant = 0;
    for (; i < s.size(); ++i) {
        const int d = HexDigit(s[i]);
        if (d < 0)
            return std::nullopt;
        if (significant > 0 || d != 0)
            ++significant;
        if (significant > 8)
            return std::nullopt;
        value = (value << 4) | static_cast<uint32_t>(d);
    }
    return value;
}

std::optional<int64_t> ParseDecimal(const QString& s, qsizetype i) {
    if (i >= s.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        if (u < '0' || u > '9')
            return std::nullopt;
        value = value * 10 + (u - '0');
        if (value > int64_t{1} << 32)
            return std::nullopt;  // far outside the range anyway
    }
    return value;
}

}  // namespace

std::optional<int32_t> TIntegerParser::Parse(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    if (SkipHexPrefix(s, i)) {
        const auto bits = ParseHex(s, i);
        if (!bits)
            return std::nullopt;
        const uint32_t pattern = negative ? 0u - *bits : *bits;
        return static_cast<int32_t>(pattern);
    }
    const auto magnitude = ParseDecimal(s, i);
    if (!magnitude)
        return std::nullopt;
    const int64_t value = negative ? -*magnitude : *magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(value);
}
