#include "TTagExpander.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "TCodePage.h"
#include "TError.h"
#include "THugePages.h"

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

const char* Find(const char* p, const char* end, char c) {
    if (p >= end) {
        return end;
    }
    const auto* found = static_cast<const char*>(std::memchr(p, c, end - p));
    return found ? found : end;
}

// Finds line breaks with memchr. It remembers the next CR and the next LF, so a text with
// only one kind of break is still read once; positions asked for must not go back.
class TBreakFinder {
public:
    TBreakFinder(const char* begin, const char* end)
        : FEnd(end), FCr(Find(begin, end, '\r')), FLf(Find(begin, end, '\n')) {}

    // The first CR or LF at or after p, or the end.
    const char* Next(const char* p) {
        if (FCr < p) {
            FCr = Find(p, FEnd, '\r');
        }
        if (FLf < p) {
            FLf = Find(p, FEnd, '\n');
        }
        return std::min(FCr, FLf);
    }

    // Past the break at p: CR LF counts as one.
    static const char* Skip(const char* p, const char* end) {
        return p + 1 < end && p[0] == '\r' && p[1] == '\n' ? p + 2 : p + 1;
    }

private:
    const char* FEnd;
    const char* FCr;
    const char* FLf;
};

// The output as it grows: appending is a plain copy into room reserved ahead.
class TOutput {
public:
    explicit TOutput(qsizetype expected) { Resize(expected); }

    void Append(const char* bytes, qsizetype size) {
        if (FBytes.size() - FSize < size) {
            Resize(std::max(FBytes.size() * 2, FSize + size));
        }
        std::memcpy(FData + FSize, bytes, size);
        FSize += size;
    }
    void Append(const QByteArray& bytes) { Append(bytes.constData(), bytes.size()); }

    // Copies [p, end) with every CR LF, lone CR and lone LF written as CR LF.
    void AppendWithCrLf(TBreakFinder& breaks, const char* p, const char* end) {
        while (p < end) {
            const char* lineBreak = std::min(breaks.Next(p), end);
            Append(p, lineBreak - p);
            if (lineBreak == end) {
                return;
            }
            Append("\r\n", 2);
            p = TBreakFinder::Skip(lineBreak, end);
        }
    }

    QByteArray Take() {
        FBytes.resize(FSize);
        return std::move(FBytes);
    }

private:
    void Resize(qsizetype size) {
        FBytes.resize(size);
        FData = FBytes.data();
        // A large page is written once from start to end.
        THugePages::Advise(FData, FBytes.size());
    }

    QByteArray FBytes;
    char* FData = nullptr;
    qsizetype FSize = 0;
};

// The part of the text the reader gets through: up to a U+0000, and, when a line is too
// long, up to that line's start, where the reader's window fails.
struct TExtent {
    qsizetype Size;
    qsizetype LongLine;  // number of the overlong line, 0 when there is none
    bool AddFinalBreak;  // the last line has no break of its own
};

// The last CR or LF in [p, end), or null. A CR is looked for only after the last LF.
const char* FindLastBreak(const char* p, const char* end) {
    const auto* lf = static_cast<const char*>(memrchr(p, '\n', end - p));
    const char* crFrom = lf ? lf + 1 : p;
    const auto* cr = static_cast<const char*>(memrchr(crFrom, '\r', end - crFrom));
    return cr ? cr : lf;
}

qsizetype LineNumber(const char* begin, const char* lineStart) {
    TBreakFinder breaks(begin, lineStart);
    qsizetype line = 1;
    for (const char* p = begin; p < lineStart; ++line) {
        p = TBreakFinder::Skip(breaks.Next(p), lineStart);
    }
    return line;
}

// Checked in strides rather than line by line: every line that starts before the last
// break within reach of a line start ends at that break or earlier.
TExtent MeasureText(const QByteArray& text) {
    const char* begin = text.constData();
    const char* end = Find(begin, begin + text.size(), '\0');
    TExtent extent{end - begin, 0, begin != end && !IsLineBreak(end[-1])};
    constexpr qsizetype reach = TTagExpander::MaxLineBytes + 1;
    for (const char* p = begin; end - p >= reach;) {
        const char* lastBreak = FindLastBreak(p, p + reach);
        if (!lastBreak) {
            extent.Size = p - begin;
            extent.LongLine = LineNumber(begin, p);
            break;
        }
        p = TBreakFinder::Skip(lastBreak, end);
    }
    return extent;
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
    if (IsAscii(QStringView(field)) && !field.contains(u'+') && !field.contains(u'%')) {
        return field;  // the usual name=value needs no conversion
    }
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
    TExpansion(const QByteArray& text, const TTagExpander::TOnTag& onTag, const TExtent& extent)
        : FOnTag(onTag),
          FPos(text.constData()),
          FEnd(FPos + extent.Size),
          FLongLine(extent.LongLine),
          FFinalBreak(extent.AddFinalBreak),
          FBreaks(FPos, FEnd),
          FOut(extent.Size + extent.Size / 8 + 2) {}

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
                FOut.Append("<", 1);
                if (FPos < FEnd && *FPos == '<') {
                    FOut.Append("<", 1);
                    ++FPos;
                }
            }
            CopyText();
        }
        return FOut.Take();
    }

private:
    // Everything up to the next "<" is copied as it is, line breaks as CR LF.
    void CopyText() {
        const char* stop = Find(FPos, FEnd, '<');
        FOut.AppendWithCrLf(FBreaks, FPos, stop);
        FPos = stop;
        if (FPos == FEnd && ReachEnd()) {
            FOut.Append("\r\n", 2);
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
        TOutput paramText(FPos - paramBegin);
        paramText.AppendWithCrLf(FBreaks, paramBegin, FPos);
        const QString tagName = QString::fromUtf8(nameBegin, paramBegin - nameBegin);
        const QStringList params = ParseParams(QString::fromUtf8(paramText.Take()));
        QString replacement;
        if (FOnTag) {
            FOnTag(tagName, params, replacement);
        }
        FOut.Append(replacement.toUtf8());
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
    TBreakFinder FBreaks;
    TOutput FOut;
};

}  // namespace

QString TTagExpander::Expand(const QString& text, const TOnTag& onTag) {
    return QString::fromUtf8(ExpandUtf8(text.toUtf8(), onTag));
}

QByteArray TTagExpander::ExpandUtf8(const QByteArray& text, const TOnTag& onTag) {
    return TExpansion(text, onTag, MeasureText(text)).Run();
}
