#include "TMemIniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

#include "TAtomicFile.h"
#include "TCodePage.h"
#include "TError.h"
#include "TIntegerParser.h"

namespace {

// Trims every character up to U+0020 at both ends; unlike QString::trimmed it keeps
// the ideographic space and other Unicode blanks that Japanese texts may start with.
QString TrimLow(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && s[end - 1].unicode() <= 0x20)
        --end;
    return s.mid(begin, end - begin).toString();
}

TMemIniFile::TEncoding WritingEncoding(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE"))
        return TMemIniFile::TEncoding::Utf16Le;
    if (bytes.startsWith("\xFE\xFF"))
        return TMemIniFile::TEncoding::Utf16Be;
    return TMemIniFile::TEncoding::Ansi;
}

QString DecodeUtf16(const QByteArray& bytes, QStringDecoder::Encoding encoding) {
    // An odd trailing byte cannot form a code unit; it is dropped rather than guessed at.
    const QByteArray even = bytes.left(bytes.size() & ~qsizetype{1});
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    return decoder.decode(even);
}

QString DecodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return DecodeUtf16(bytes.mid(2), QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return DecodeUtf16(bytes.mid(2), QStringDecoder::Utf16BE);
    return TCodePage::Decode(bytes, TCodePage::Ansi);
}

// i when `name` is prefix + i (decimal, no leading zeros, in 0..2^31-1), otherwise -1.
int64_t IndexAfter(const QString& name, const QString& prefix) {
    if (!name.startsWith(prefix, Qt::CaseInsensitive))
        return -1;
    const QStringView digits = QStringView(name).mid(prefix.size());
    if (digits.isEmpty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == u'0')) {
        return -1;
    }
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
    return file.readAll();
}

}  // namespace

TMemIniFile::TMemIniFile(const QString& path) : FPath(path) {
    const QFileInfo info(path);
    if (!info.exists())
        return;
    const QByteArray bytes = ReadWholeFile(path);
    FEncoding = WritingEncoding(bytes);
    Parse(DecodeText(bytes));
}

void TMemIniFile::Parse(const QString& text) {
    TSection* current = nullptr;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start <= n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QString line = TrimLow(QStringView(text).mid(start, end - start));
        // CR LF ends one line; a lone CR or LF ends one too.
        start = end + ((end + 1 < n && text[end] == u'\r' && text[end + 1] == u'\n') ? 2 : 1);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']') && line.size() >= 2) {
            // A repeated section opens a new one; reading and writing use the last.
            FSections.push_back(
                TSection{TrimLow(QStringView(line).mid(1, line.size() - 2)), {}, {}});
            current = &FSections.back();
            FLastSection.insert(Fold(current->Name), FSections.size() - 1);
            continue;
        }
        if (!current)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) {
            AddLine(*current, TLine{QString(), line, false});
        } else {
            AddLine(*current, TLine{TrimLow(QStringView(line).left(eq)),
                                    TrimLow(QStringView(line).mid(eq + 1)), true});
        }
    }
}

void TMemIniFile::AddLine(TSection& section, TLine line) {
    if (line.HasEquals)
        section.LastKey.insert(Fold(line.Key), section.Lines.size());
    section.Lines.push_back(std::move(line));
}

TMemIniFile::TSection& TMemIniFile::SectionFor(const QString& section) {
    const auto it = FLastSection.constFind(Fold(section));
    if (it != FLastSection.constEnd())
        return FSections[*it];
    FSections.push_back(TSection{section, {}, {}});
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
    return line ? line->Value : def;
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
        sec.Lines[*k] = TLine{key, value, true};
    } else {
        AddLine(sec, TLine{key, value, true});
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
        names.append(s.Name);
    return names;
}

int64_t TMemIniFile::HighestSectionIndex(const QString& prefix) const {
    int64_t highest = -1;
    for (const TSection& s : FSections)
        highest = std::max(highest, IndexAfter(s.Name, prefix));
    return highest;
}

int64_t TMemIniFile::HighestKeyIndex(const QString& section, const QString& prefix) const {
    const auto s = FLastSection.constFind(Fold(section));
    if (s == FLastSection.constEnd())
        return -1;
    int64_t highest = -1;
    for (const TLine& line : FSections[*s].Lines) {
        if (line.HasEquals)
            highest = std::max(highest, IndexAfter(line.Key, prefix));
    }
    return highest;
}

QByteArray TMemIniFile::ToBytes() const {
    QString text;
    for (const TSection& s : FSections) {
        text += u'[' + s.Name + u']' + QStringLiteral("\r\n");
        for (const TLine& line : s.Lines)
            text += line.Text() + QStringLiteral("\r\n");
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
