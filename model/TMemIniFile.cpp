#include "TMemIniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "TAtomicFile.h"
#include "TCodePage.h"
#include "TError.h"
#include "THugePages.h"
#include "TIntegerParser.h"

namespace {

// Trims every character up to U+0020 at both ends; unlike QString::trimmed it keeps
// the ideographic space and other Unicode blanks that Japanese texts may start with.
template <typename View>
View TrimLow(View s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && s[end - 1].unicode() <= 0x20)
        --end;
    return s.sliced(begin, end - begin);
}

TMemIniFile::TEncoding WritingEncoding(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE"))
        return TMemIniFile::TEncoding::Utf16Le;
    if (bytes.startsWith("\xFE\xFF"))
        return TMemIniFile::TEncoding::Utf16Be;
    return TMemIniFile::TEncoding::Ansi;
}

QString DecodeUtf16(QByteArrayView bytes, QStringDecoder::Encoding encoding) {
    // An odd trailing byte cannot form a code unit; it is dropped rather than guessed at.
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes.first(bytes.size() & ~qsizetype{1}));
}

// Lines end at CR LF, CR or LF. The next CR and the next LF are remembered, so a file that
// uses only one of them is not searched to its end for the other on every line.
class TLineBreaks {
public:
    explicit TLineBreaks(QByteArrayView text) : FText(text) {}

    // Calls onLine with every line, the empty one after a final break included.
    template <typename OnLine>
    void ForEach(OnLine onLine) {
        const qsizetype n = FText.size();
        for (qsizetype start = 0; start <= n;) {
            const qsizetype end = Next(start);
            onLine(FText.sliced(start, end - start));
            const bool crLf = end + 1 < n && FText[end] == '\r' && FText[end + 1] == '\n';
            start = end + (crLf ? 2 : 1);
        }
    }

private:
    qsizetype Next(qsizetype from) {
        if (FCr < from)
            FCr = Find('\r', from);
        if (FLf < from)
            FLf = Find('\n', from);
        return std::min(FCr, FLf);
    }
    qsizetype Find(char c, qsizetype from) const {
        const void* hit = std::memchr(FText.data() + from, c, FText.size() - from);
        return hit ? static_cast<const char*>(hit) - FText.data() : FText.size();
    }

    QByteArrayView FText;
    qsizetype FCr = -1;
    qsizetype FLf = -1;
};

// i when `name` is prefix + i (decimal, no leading zeros, in 0..2^31-1), otherwise -1.
int64_t IndexAfter(QAnyStringView name, const QString& prefix) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 10)
        return -1;
    const QString text = name.toString();
    if (!text.startsWith(prefix, Qt::CaseInsensitive))
        return -1;
    const QStringView digits = QStringView(text).mid(prefix.size());
    if (digits.size() > 1 && digits[0] == u'0')
        return -1;
    int64_t value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= INT32_MAX ? value : -1;
}

QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw TError(QStringLiteral("ファイル %1 を開けません。%2").arg(path, file.errorString()));
    }
    // One buffer of the file's size; what a file that grew meanwhile holds beyond it is added.
    QByteArray bytes(file.size(), Qt::Uninitialized);
    THugePages::Advise(bytes.data(), bytes.size());
    bytes.truncate(std::max<qint64>(file.read(bytes.data(), bytes.size()), 0));
    const QByteArray rest = file.readAll();
    if (!rest.isEmpty())
        bytes += rest;
    return bytes;
}

}  // namespace

TMemIniFile::TMemIniFile(const QString& path) : FPath(path) {
    const QFileInfo info(path);
    if (!info.exists())
        return;
    FBytes = ReadWholeFile(path);
    FEncoding = WritingEncoding(FBytes);
    if (FBytes.startsWith("\xFF\xFE") || FBytes.startsWith("\xFE\xFF")) {
        const bool little = FEncoding == TEncoding::Utf16Le;
        FText = DecodeUtf16(QByteArrayView(FBytes).sliced(2),
                            little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        FBytes.clear();
        ParseText();
    } else {
        const bool utf8 = FBytes.startsWith("\xEF\xBB\xBF");
        ParseBytes(utf8);
    }
}

// ASCII lines are parsed where they lie in the file. The other lines are converted together,
// each ended by LF (which no converted text holds), and parsed in the converted text.
void TMemIniFile::ParseBytes(bool utf8) {
    // Behind the mark of a UTF-8 file a second mark is dropped too; any later one is text.
    const QByteArrayView bom("\xEF\xBB\xBF");
    const QByteArrayView whole(FBytes);
    const qsizetype skip = !utf8 ? 0 : whole.sliced(3).startsWith(bom) ? 6 : 3;
    const QByteArrayView bytes = whole.sliced(skip);
    QByteArray other;
    TLineBreaks(bytes).ForEach([&other](QByteArrayView line) {
        if (!TCodePage::IsAscii(line)) {
            other += line;
            other += '\n';
        }
    });
    FText = utf8 ? QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                            QStringDecoder::Flag::ConvertInitialBom)
                       .decode(other)
                 : TCodePage::Decode(other, TCodePage::Ansi);
    other.clear();
    TSection* current = nullptr;
    qsizetype decoded = 0;
    TLineBreaks(bytes).ForEach([&](QByteArrayView line) {
        if (TCodePage::IsAscii(line)) {
            ParseLine(QLatin1StringView(line.data(), line.size()), current);
            return;
        }
        const qsizetype end = FText.indexOf(u'\n', decoded);
        ParseLine(QStringView(FText).sliced(decoded, end - decoded), current);
        decoded = end + 1;
    });
}

void TMemIniFile::ParseText() {
    TSection* current = nullptr;
    const QStringView text(FText);
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start <= n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        ParseLine(text.sliced(start, end - start), current);
        start = end + ((end + 1 < n && text[end] == u'\r' && text[end + 1] == u'\n') ? 2 : 1);
    }
}

template <typename View>
void TMemIniFile::ParseLine(View raw, TSection*& current) {
    const View line = TrimLow(raw);
    if (line.isEmpty() || line.startsWith(u';'))
        return;
    if (line.startsWith(u'[') && line.endsWith(u']') && line.size() >= 2) {
        // A repeated section opens a new one; reading and writing use the last.
        FSections.push_back(TSection{TText(TrimLow(line.sliced(1, line.size() - 2))), {}, {}});
        current = &FSections.back();
        FLastSection.insert(Fold(current->Name.View()), FSections.size() - 1);
        return;
    }
    if (!current)
        return;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) {
        AddLine(*current, TLine{TText(), TText(line), false});
    } else {
        AddLine(*current,
                TLine{TText(TrimLow(line.first(eq))), TText(TrimLow(line.sliced(eq + 1))), true});
    }
}

void TMemIniFile::AddLine(TSection& section, TLine line) {
    if (line.HasEquals)
        section.LastKey.insert(Fold(line.Key.View()), section.Lines.size());
    section.Lines.push_back(std::move(line));
}

TMemIniFile::TSection& TMemIniFile::SectionFor(const QString& section) {
    const auto it = FLastSection.constFind(Fold(section));
    if (it != FLastSection.constEnd())
        return FSections[*it];
    FSections.push_back(TSection{TText::Own(section), {}, {}});
    FLastSection.insert(Fold(section), FSections.size() - 1);
    return FSections.back();
}

const TMemIniFile::TLine* TMemIniFile::Find(const QString& section, const QString& key) const {
    const auto s = FLastSection.constFind(Fold(section));
    if (s == FLastSection.constEnd())
        return nullptr;
    const TSection& sec = FSections[*s];
    const auto k = sec.LastKey.constFind(Fold(key));
    return k == sec.LastKey.constEnd() ? nullptr : &sec.Lines[*k];
}

QString TMemIniFile::ReadString(const QString& section, const QString& key,
                                const QString& def) const {
    const TLine* line = Find(section, key);
    return line ? line->Value.ToString() : def;
}

QAnyStringView TMemIniFile::ReadStringView(const QString& section, const QString& key) const {
    const TLine* line = Find(section, key);
    return line ? line->Value.View() : QAnyStringView();
}

int32_t TMemIniFile::ReadInteger(const QString& section, const QString& key, int32_t def) const {
    return TIntegerParser::ParseOr(ReadString(section, key, QString()), def);
}

bool TMemIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    TSection& sec = SectionFor(section);
    const auto k = sec.LastKey.constFind(Fold(key));
    if (k != sec.LastKey.constEnd()) {
        sec.Lines[*k] = TLine{TText::Own(key), TText::Own(value), true};
    } else {
        AddLine(sec, TLine{TText::Own(key), TText::Own(value), true});
    }
}

void TMemIniFile::WriteInteger(const QString& section, const QString& key, int32_t value) {
    WriteString(section, key, QString::number(value));
}

void TMemIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TMemIniFile::SectionExists(const QString& section) const {
    return FLastSection.contains(Fold(section));
}

QStringList TMemIniFile::SectionNames() const {
    QStringList names;
    for (const TSection& s : FSections)
        names.append(s.Name.ToString());
    return names;
}

int64_t TMemIniFile::HighestSectionIndex(const QString& prefix) const {
    int64_t highest = -1;
    for (const TSection& s : FSections)
        highest = std::max(highest, IndexAfter(s.Name.View(), prefix));
    return highest;
}

int64_t TMemIniFile::HighestKeyIndex(const QString& section, const QString& prefix) const {
    const auto s = FLastSection.constFind(Fold(section));
    if (s == FLastSection.constEnd())
        return -1;
    int64_t highest = -1;
    for (const TLine& line : FSections[*s].Lines) {
        if (line.HasEquals)
            highest = std::max(highest, IndexAfter(line.Key.View(), prefix));
    }
    return highest;
}

QByteArray TMemIniFile::ToBytes() const {
    QString text;
    const auto append = [&text](QAnyStringView piece) {
        piece.visit([&text](auto view) {
            using TView = decltype(view);
            if constexpr (std::is_same_v<TView, QStringView> ||
                          std::is_same_v<TView, QLatin1StringView>) {
                text.append(view);
            } else {
                text.append(view.toString());
            }
        });
    };
    for (const TSection& s : FSections) {
        text += u'[';
        append(s.Name.View());
        text += QStringLiteral("]\r\n");
        for (const TLine& line : s.Lines) {
            if (line.HasEquals) {
                append(line.Key.View());
                text += u'=';
            }
            append(line.Value.View());
            text += QStringLiteral("\r\n");
        }
        text += QStringLiteral("\r\n");
    }
    switch (FEncoding) {
        case TEncoding::Utf16Le:
            return QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
        case TEncoding::Utf16Be:
            return QByteArray("\xFE\xFF") + QStringEncoder(QStringEncoder::Utf16BE).encode(text);
        case TEncoding::Ansi:
            break;
    }
    return TCodePage::Encode(text, TCodePage::Ansi);
}

void TMemIniFile::UpdateFile() const {
    TAtomicFile::Write(FPath, ToBytes());
}
