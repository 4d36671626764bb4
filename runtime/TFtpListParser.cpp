#include "TFtpListParser.h"

#include "TCodePage.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// Type and mode, then links, owner and group as far as present, size (or a device's
// "major, minor"), month, day, year or time, one blank and the name.
const QRegularExpression UnixLine(
    QStringLiteral(R"(^(([-bcdlpsDn])[-rwxsStTlL]{9}\S*)\s+(?:.*?\s)?(\d+|(\d+,\s*\d+))\s+)"
                   R"(([A-Za-z]{3})\s+(\d{1,2})\s+(?:(\d{4})|(\d{1,2}):(\d{2}))\s(.+)$)"));

// "04-27-00  12:09PM  <DIR>  name" and "04-27-2000  09:01  1234  name".
const QRegularExpression DosLine(
    QStringLiteral(R"(^(\d{2})-(\d{2})-(\d{2}|\d{4})\s+(\d{1,2}):(\d{2})\s*([AaPp][Mm])?\s+)"
                   R"((<DIR>|\d+)\s+(.+)$)"));

int MonthNumber(const QString& name) {
    static const QStringList months = {
        QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"), QStringLiteral("apr"),
        QStringLiteral("may"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
        QStringLiteral("sep"), QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};
    return int(months.indexOf(name.toLower())) + 1;
}

bool NotLater(QDate date, QTime time, const QDateTime& now) {
    return date < now.date() || (date == now.date() && time <= now.time());
}

// "Mon dd hh:mm" names no year: the most recent such moment not later than now. Eight years
// back always reach a 29 February.
QDate DateWithoutYear(int month, int day, QTime time, const QDateTime& now) {
    for (int year = now.date().year(); year >= now.date().year() - 8; --year) {
        const QDate date(year, month, day);
        if (date.isValid() && NotLater(date, time, now))
            return date;
    }
    return {};
}

std::optional<TFtpListEntry> ParseUnix(const QString& line, const QDateTime& now) {
    const QRegularExpressionMatch m = UnixLine.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    const int month = MonthNumber(m.captured(5));
    const int day = m.captured(6).toInt();
    if (month == 0)
        return std::nullopt;
    QDate date;
    QTime time(0, 0);
    if (m.hasCaptured(7)) {
        date = QDate(m.captured(7).toInt(), month, day);
    } else {
        time = QTime(m.captured(8).toInt(), m.captured(9).toInt());
        if (!time.isValid())
            return std::nullopt;
        date = DateWithoutYear(month, day, time, now);
    }
    if (!date.isValid())
        return std::nullopt;

    TFtpListEntry entry;
    entry.Permissions = m.captured(1);
    const QChar type = m.captured(2)[0];
    entry.IsDir = type == u'd';
    entry.Size = m.hasCaptured(4) ? 0 : m.captured(3).toLongLong();
    entry.ModifiedAt = QDateTime(date, time);
    entry.Name = m.captured(10);
    if (type == u'l') {
        const qsizetype arrow = entry.Name.indexOf(QStringLiteral(" -> "));
        if (arrow > 0)
            entry.Name.truncate(arrow);
    }
    return entry;
}

std::optional<TFtpListEntry> ParseDos(const QString& line) {
    const QRegularExpressionMatch m = DosLine.match(line);
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += year < 70 ? 2000 : 1900;
    int hour = m.captured(4).toInt();
    const QString half = m.captured(6).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (half == u"PM" ? 12 : 0);
    }
    const QDate date(year, m.captured(1).toInt(), m.captured(2).toInt());
    const QTime time(hour, m.captured(5).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;

    TFtpListEntry entry;
    entry.IsDir = m.captured(7) == u"<DIR>";
    entry.Size = entry.IsDir ? 0 : m.captured(7).toLongLong();
    entry.ModifiedAt = QDateTime(date, time);
    entry.Name = m.captured(8);
    return entry;
}

}  // namespace

int TFtpListParser::CodePageOf(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes);  // the decoder's error state is the answer
    return utf8.hasError() ? TCodePage::ShiftJis : TCodePage::Utf8;
}

QString TFtpListParser::Decode(const QByteArray& bytes) {
    return TCodePage::Decode(bytes, CodePageOf(bytes));
}

std::optional<TFtpListEntry> TFtpListParser::ParseLine(const QString& line, const QDateTime& now) {
    if (std::optional<TFtpListEntry> entry = ParseUnix(line, now))
        return entry;
    return ParseDos(line);
}

QList<TFtpListEntry> TFtpListParser::Parse(const QByteArray& listing, const QDateTime& now) {
    QList<TFtpListEntry> entries;
    for (QByteArray line : listing.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        // Each line is decoded on its own: one server may hold names in both encodings.
        if (std::optional<TFtpListEntry> entry = ParseLine(Decode(line), now)) {
            entry->CodePage = CodePageOf(line);
            entries.append(*entry);
        }
    }
    return entries;
}
