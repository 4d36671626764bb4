#pragma once
// Integer reading as the project and settings files need it: leading blanks, an optional sign,
// "$" / "x" / "X" / "0x" / "0X" hexadecimal (at most eight significant digits, a 32-bit
// pattern), otherwise decimal in the 32-bit signed range; nothing may follow the digits.

#include <QString>
#include <cstdint>
#include <optional>

class TIntegerParser {
public:
    static std::optional<int32_t> Parse(const QString& text);
    static int32_t ParseOr(const QString& text, int32_t fallback) {
        return Parse(text).value_or(fallback);
    }
};
