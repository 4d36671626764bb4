#pragma once
// Conversion between text and the bytes of the code pages the system writes:
// 65001 (UTF-8), 932 (Shift_JIS, also the "ANSI" code page) and 20932 (EUC-JP).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class TCodePage {
public:
    static constexpr int Utf8 = 65001;
    static constexpr int ShiftJis = 932;
    static constexpr int EucJp = 20932;
    // The 8-bit code page of the Japanese systems the project files come from.
    static constexpr int Ansi = ShiftJis;

    // Characters the code page cannot represent become "?".
    static QByteArray Encode(const QString& text, int codePage);
    // Byte sequences the code page does not define become "?" (U+FFFD for UTF-8).
    static QString Decode(const QByteArray& bytes, int codePage);
    static bool IsSupported(int codePage);
    // True when every byte is below 0x80: such text reads the same in all these code pages.
    static bool IsAscii(QByteArrayView bytes);
};
