#pragma once
// One HTML template: its name, the character code of the finished page and the HTML with
// the tags to expand.

#include <QString>
#include <cstdint>

struct THtmlTemplate {
    static constexpr int32_t CharCodeUtf8 = 0;
    static constexpr int32_t CharCodeShiftJis = 1;
    static constexpr int32_t CharCodeEucJp = 2;

    THtmlTemplate(const QString& name, int32_t charCode, const QString& html)
        : Name(name), Html(html) {
        SetCharCode(charCode);
    }
    int32_t GetCharCode() const { return CharCode; }
    // 1 and 2 are kept; anything else means UTF-8.
    void SetCharCode(int32_t code) { CharCode = (code == 1 || code == 2) ? code : CharCodeUtf8; }

    QString Name;
    QString Html;

private:
    int32_t CharCode = CharCodeUtf8;
};

// The code page a page of this character code is written in: 65001, 932, 20932, else 65535.
uint16_t CharCodeToCodePage(int32_t charCode);
