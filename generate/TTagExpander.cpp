#include "TTagExpander.h"

#include <cstring>
#include <utility>

#include "TCodePage.h"
#include "TError.h"

namespace {

// The reader takes the text in windows of 4096 bytes, each starting at a line start, and
// needs a line's LF at offset 4094 at the latest: hence the limit of 4093 bytes per line.
static_assert(TTagExpander::MaxLineBytes == 4096 - 3);

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) - 1u < 0x20u;
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsLetterOrDigit(char c) {
    return IsLetter(c) || (c >= '0' && c <= '9');
}

// The part of the text the reader gets through: up to a U+0000, and, when a line is too
// long, up to that line's start, where the reader's window fails.
struct TExtent {
    qsizetype Size;
    qsizetype LongLine;  // number of the overlong line, 0 when there is none
    bool AddFinalBreak;  // the last line has no break of its own
};

TExtent MeasureText(const QByteArray& text) {
    const char* begin = text.constData();
    const auto* nul = static_cast<const char*>(std::memchr(begin, 0, text.size()));
    const char* end = nul ? nul : begin + text.size();
    TExtent extent{end - begin, 0, begin != end && !IsLineBreak(end[-1])};
    qsizetype line = 1;
    for (const char* p = begin; p < end; ++line) {
        const char* lineStart = p;
        while (p < end && !IsLineBreak(*p)) {
            ++p;
        }
        if (p - lineStart > TTagExpander::MaxLineBytes) {
            extent.Size = lineStart - begin;
            extent.LongLine = line;
            break;
        }
        if (p + 1 < end && p[0] == '\r' && p[1] == '\n') {
            ++p;
        }
        if (p < end) {
            ++p;
        }
    }
    return extent;
}

// Copies [p, end) with every CR LF, lone CR and lone LF written as CR LF.
void AppendWithCrLf(QByteArray& out, const char* p, const char* end) {
    while (p < end) {
        const char* run = p;
        while (p < end && !IsLineBreak(*p)) {
            ++p;
        }
        out.append(run, p - run);
        if (p == end) {
            return;
        }
        if (p + 1 < end && p[0] == '\r' && p[1] == '\n') {
            ++p;
        }
        ++p;
        out.append("\r\n", 2);
    }
}

bool IsAscii(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            return false;
        }
    }
    return true;
}

bool IsAscii(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// The code page matches ASCII byte for byte; skipping the converter for ASCII fields
// keeps pages with many tags fast.
QByteArray ToAnsi(const QString& text) {
    return IsAscii(QStringView(text)) ? text.toLatin1() : TCodePage::Encode(text, TCodePage::Ansi);
}

QString FromAnsi(const QByteArray& bytes) {
    return IsAscii(bytes) ? QString::fromLatin1(bytes) : TCodePage::Decode(bytes, TCodePage::Ansi);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// "+" is a space, "%%" a "%", "%XX" the byte XX, all in the bytes of the 8-bit code page.
QString UrlDecode(const QString& field) {
    const QByteArray bytes = ToAnsi(field);
    const qsizetype size = bytes.size();
    QByteArray decoded;
    decoded.reserve(size);
    for (qsizetype i = 0; i < size;) {
        const char c = bytes[i];
        if (c == '+') {
            decoded.append(' ');
            ++i;
        } else if (c != '%') {
            decoded.append(c);
            ++i;
        } else if (i + 1 < size && bytes[i + 1] == '%') {
            decoded.append('%');
            i += 2;
        } else if (i + 2 >= size) {
            throw TError(QStringLiteral("URL 表記用エンコード（%XX）文字列のエラー：位置 - ") +
                         QString::number(i + 1));
        } else {
            const int high = HexValue(bytes[i + 1]);
            const int low = HexValue(bytes[i + 2]);
            if (high < 0 || low < 0) {
                throw TError(QStringLiteral("URL 表記エンコードでは許されない文字 (") +
                             FromAnsi(bytes.mid(i, 3)) + QStringLiteral(")：位置 - ") +
                             QString::number(i + 1));
            }
            decoded.append(static_cast<char>(high * 16 + low));
            i += 3;
        }
    }
    return FromAnsi(decoded);
}

// Scanning from the end, a quote opens a pair of its kind and the next quote of that kind
// closes it; both go, and a quote of the other kind inside the pair stays.
QString RemoveQuotes(QString field) {
    QChar open;
    for (qsizetype k = field.size() - 1; k >= 0; --k) {
        const QChar c = field[k];
        if (c != u'"' && c != u'\'') {
            continue;
        }
        if (open.isNull() || c == open) {
            open = open.isNull() ? c : QChar();
            field.remove(k, 1);
        }
    }
    return field;
}

bool EndsField(QChar c) {
    return c == u' ' || c == u'\r' || c == u'\n';
}

// Fields end at a space, CR or LF outside a double-quoted run. A field opened by a quote
// loses both quotes; a run opened inside a field ends the field with its closing quote,
// and the character after that quote is passed over.
QStringList SplitFields(QStringView text) {
    QStringList fields;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (true) {
        while (i < size && EndsField(text[i])) {
            ++i;
        }
        if (i == size) {
            return fields;
        }
        QStringView field;
        if (text[i] == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? size : close;
            field = text.sliced(i + 1, end - i - 1);
            i = close < 0 ? size : close + 1;
        } else {
            const qsizetype start = i;
            while (i < size && !EndsField(text[i]) && text[i] != u'"') {
                ++i;
            }
            if (i < size && text[i] == u'"') {
                const qsizetype close = text.indexOf(u'"', i + 1);
                i = close < 0 ? size : close + 1;
                field = text.sliced(start, i - start);
                i = qMin(size, i + 1);
            } else {
                field = text.sliced(start, i - start);
            }
        }
        if (!field.isEmpty()) {
            fields.append(field.toString());
        }
    }
}

QStringList ParseParams(const QString& paramText) {
    QStringView text(paramText);
    while (!text.isEmpty() && text.front().unicode() <= 0x20) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && text.back().unicode() <= 0x20) {
        text.chop(1);
    }
    QStringList params = SplitFields(text);
    for (QString& param : params) {
        param = UrlDecode(RemoveQuotes(param));
    }
    return params;
}

// One run of the expander over one text.
class TExpansion {
public:
    TExpansion(const QByteArray& text, const TTagExpander::TOnTag& onTag)
        : FOnTag(onTag), FPos(text.constData()) {
        const TExtent extent = MeasureText(text);
        FEnd = FPos + extent.Size;
        FLongLine = extent.LongLine;
        FFinalBreak = extent.AddFinalBreak;
        FOut.reserve(text.size() + text.size() / 16 + 2);
    }

    QByteArray Run() {
        CopyText();
        while (FPos < FEnd) {  // at a "<"
            ++FPos;
            SkipBlanks();
            if (FPos < FEnd && *FPos == '#') {
                ++FPos;
                SkipBlanks();
                ExpandTag();
            } else {
                // Not a tag: the "<" stays, the blanks after it are lost, and a second "<"
                // is plain text.
                FOut.append('<');
                if (FPos < FEnd && *FPos == '<') {
                    FOut.append('<');
                    ++FPos;
                }
            }
            CopyText();
        }
        return std::move(FOut);
    }

private:
    // Everything up to the next "<" is copied as it is, line breaks as CR LF.
    void CopyText() {
        const auto* less = static_cast<const char*>(std::memchr(FPos, '<', FEnd - FPos));
        const char* stop = less ? less : FEnd;
        AppendWithCrLf(FOut, FPos, stop);
        FPos = stop;
        if (FPos == FEnd && ReachEnd()) {
            FOut.append("\r\n", 2);
        }
    }

    void SkipBlanks() {
        while (FPos < FEnd && IsBlank(*FPos)) {
            ++FPos;
        }
        if (FPos == FEnd) {
            ReachEnd();
        }
    }

    // The tag name, then the parameter text up to the first ">" outside quotes.
    void ExpandTag() {
        const char* nameBegin = FPos;
        if (FPos < FEnd) {
            const bool identifier = IsLetter(*FPos);
            ++FPos;
            while (identifier && FPos < FEnd && IsLetterOrDigit(*FPos)) {
                ++FPos;
            }
        }
        const char* paramBegin = FPos;
        bool inDouble = false;
        bool inSingle = false;
        for (; FPos < FEnd; ++FPos) {
            const char c = *FPos;
            if (c == '>' && !inDouble && !inSingle) {
                break;
            }
            if (c == '"' && !inSingle) {
                inDouble = !inDouble;
            } else if (c == '\'' && !inDouble) {
                inSingle = !inSingle;
            }
        }
        if (FPos == FEnd) {
            ReachEnd();
        }
        QByteArray paramText;
        AppendWithCrLf(paramText, paramBegin, FPos);
        const QString tagName = QString::fromUtf8(nameBegin, paramBegin - nameBegin);
        const QStringList params = ParseParams(QString::fromUtf8(paramText));
        QString replacement;
        if (FOnTag) {
            FOnTag(tagName, params, replacement);
        }
        FOut.append(replacement.toUtf8());
        if (FPos < FEnd) {
            ++FPos;
        }
    }

    // The reader needs the byte at the end: where the text was cut before an overlong line,
    // this is where its window fails. Returns whether the line break that ends the last
    // line is still to be written; it is a blank of the run that reaches the end, so only a
    // run that is copied writes it.
    bool ReachEnd() {
        if (FLongLine > 0) {
            throw TError(QStringLiteral("%1 行で %2").arg(FLongLine).arg(u"行が長すぎます"));
        }
        return std::exchange(FFinalBreak, false);
    }

    const TTagExpander::TOnTag& FOnTag;
    const char* FPos;
    const char* FEnd;
    qsizetype FLongLine;
    bool FFinalBreak;
    QByteArray FOut;
};

}  // namespace

QString TTagExpander::Expand(const QString& text, const TOnTag& onTag) {
    return QString::fromUtf8(ExpandUtf8(text.toUtf8(), onTag));
}

QByteArray TTagExpander::ExpandUtf8(const QByteArray& text, const TOnTag& onTag) {
    return TExpansion(text, onTag).Run();
}
