#include "TDateTimeFormatter.h"

#include <QStringView>
#include <algorithm>
#include <optional>

namespace {

// The values a Japanese system gives; fixed so that pages come out the same everywhere.
struct TLocale {
    QStringView ShortDateFormat = u"yyyy/mm/dd";
    QStringView LongDateFormat = u"yyyy'年'm'月'd'日'";
    QStringView ShortTimeFormat = u"h:mm";
    QStringView LongTimeFormat = u"h:mm:ss";
    QStringView DateSeparator = u"/";
    QStringView TimeSeparator = u":";
    QStringView TimeAm = u"午前";
    QStringView TimePm = u"午後";
    // Sunday first.
    QStringView ShortDayNames[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    QStringView LongDayNames[7] = {u"日曜日", u"月曜日", u"火曜日", u"水曜日",
                                   u"木曜日", u"金曜日", u"土曜日"};
    QStringView ShortMonthNames[12] = {u"1", u"2", u"3", u"4",  u"5",  u"6",
                                       u"7", u"8", u"9", u"10", u"11", u"12"};
    QStringView LongMonthNames[12] = {u"1月", u"2月", u"3月", u"4月",  u"5月",  u"6月",
                                      u"7月", u"8月", u"9月", u"10月", u"11月", u"12月"};
};

const TLocale Locale;

struct TEra {
    int Year, Month, Day;  // first day of the era
    QStringView Name;
};

// Oldest first.
constexpr TEra Eras[] = {
    {1868, 1, 1, u"明治"}, {1912, 7, 30, u"大正"}, {1926, 12, 25, u"昭和"},
    {1989, 1, 8, u"平成"}, {2019, 5, 1, u"令和"},
};

std::optional<TEra> EraOf(const QDate& date) {
    for (auto era = std::rbegin(Eras); era != std::rend(Eras); ++era) {
        if (date >= QDate(era->Year, era->Month, era->Day)) {
            return *era;
        }
    }
    return std::nullopt;
}

bool StartsWithNoCase(QStringView text, qsizetype at, QStringView word) {
    return text.mid(at).startsWith(word, Qt::CaseInsensitive);
}

bool StartsAmPm(QStringView format, qsizetype at) {
    return StartsWithNoCase(format, at, u"am/pm") || StartsWithNoCase(format, at, u"a/p") ||
           StartsWithNoCase(format, at, u"ampm");
}

// Whether the first a or h after `from`, outside quoted text, begins an am/pm specifier.
bool AmPmFollows(QStringView format, qsizetype from) {
    for (qsizetype i = from; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"' || c == u'\'') {
            i = format.indexOf(c, i + 1);
            if (i < 0) {
                return false;
            }
        } else if (c == u'h' || c == u'H') {
            return false;
        } else if (c == u'a' || c == u'A') {
            return StartsAmPm(format, i);
        }
    }
    return false;
}

char16_t AsciiUpper(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? static_cast<char16_t>(u - 32) : u;
}

bool IsAsciiUpperLetter(char16_t u) {
    return u >= u'A' && u <= u'Z';
}

class TFormatter {
public:
    TFormatter(const QDate& date, const QTime& time)
        : FDate(date.isValid() ? date : QDate(1899, 12, 30)),
          FTime(time.isValid() ? time : QTime(0, 0)) {}

    // `level` 0 is the caller's pattern; locale formats are formatted at level 1, where the
    // specifiers that expand into locale formats output nothing.
    void Append(QStringView format, int level);

    QString Result() const {
        // A cut must not leave half of a surrogate pair behind.
        if (FResult.size() == TDateTimeFormatter::MaxLength && FResult.back().isHighSurrogate()) {
            return FResult.chopped(1);
        }
        return FResult;
    }

private:
    void AppendText(QStringView text) {
        FResult.append(text.left(TDateTimeFormatter::MaxLength - FResult.size()));
    }
    // At least `digits` digits, never fewer than the number needs.
    void AppendNumber(int number, qsizetype digits) {
        AppendText(QString::number(number).rightJustified(digits, u'0'));
    }
    void Expand(QStringView format, int level) {
        if (level == 0) {
            Append(format, level + 1);
        }
    }
    bool AppendAmPmOrDayName(QStringView format, qsizetype& i, bool& use12Hour);
    void AppendEra(qsizetype count);
    void AppendEraYear(qsizetype count);
    QStringView DayName(const QStringView (&names)[7]) const {
        return names[FDate.dayOfWeek() % 7];
    }

    QDate FDate;
    QTime FTime;
    QString FResult;
};

void TFormatter::Append(QStringView format, int level) {
    bool use12Hour = false;
    char16_t lastLetter = u' ';
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar starter = format[i];
        // A run of the same character in the same case is one specifier.
        const auto takeRun = [&] {
            const qsizetype start = i;
            while (i < format.size() && format[i] == starter)
                ++i;
            return i - start;
        };
        char16_t token = AsciiUpper(starter);
        if (IsAsciiUpperLetter(token)) {
            // m right after an hour (ignoring punctuation and quoted text) means minutes.
            if (token == u'M' && lastLetter == u'H')
                token = u'N';
            lastLetter = token;
        }
        switch (token) {
            case u'Y': {
                const qsizetype count = takeRun();
                if (count <= 2) {
                    AppendNumber(FDate.year() % 100, 2);
                } else {
                    AppendNumber(FDate.year(), 4);
                }
                break;
            }
            case u'G':
                AppendEra(takeRun());
                break;
            case u'E':
                AppendEraYear(takeRun());
                break;
            case u'M': {
                const qsizetype count = takeRun();
                if (count <= 2) {
                    AppendNumber(FDate.month(), count);
                } else {
                    const auto& names = count == 3 ? Locale.ShortMonthNames : Locale.LongMonthNames;
                    AppendText(names[FDate.month() - 1]);
                }
                break;
            }
            case u'D': {
                const qsizetype count = takeRun();
                if (count <= 2) {
                    AppendNumber(FDate.day(), count);
                } else if (count == 3) {
                    AppendText(DayName(Locale.ShortDayNames));
                } else if (count == 4) {
                    AppendText(DayName(Locale.LongDayNames));
                } else {
                    Expand(count == 5 ? Locale.ShortDateFormat : Locale.LongDateFormat, level);
                }
                break;
            }
            case u'H': {
                const qsizetype count = std::min<qsizetype>(takeRun(), 2);
                use12Hour = use12Hour || AmPmFollows(format, i);
                int hour = FTime.hour();
                if (use12Hour) {
                    hour = hour == 0 ? 12 : (hour > 12 ? hour - 12 : hour);
                }
                AppendNumber(hour, count);
                break;
            }
            case u'N':
                AppendNumber(FTime.minute(), std::min<qsizetype>(takeRun(), 2));
                break;
            case u'S':
                AppendNumber(FTime.second(), std::min<qsizetype>(takeRun(), 2));
                break;
            case u'Z':
                AppendNumber(FTime.msec(), std::min<qsizetype>(takeRun(), 3));
                break;
            case u'T':
                Expand(takeRun() == 1 ? Locale.ShortTimeFormat : Locale.LongTimeFormat, level);
                break;
            case u'C':
                takeRun();
                if (level == 0) {
                    Expand(Locale.ShortDateFormat, level);
                    if (FTime.hour() != 0 || FTime.minute() != 0 || FTime.second() != 0) {
                        AppendText(u" ");
                        Expand(Locale.LongTimeFormat, level);
                    }
                }
                break;
            case u'A':
                if (!AppendAmPmOrDayName(format, i, use12Hour)) {
                    AppendText(format.mid(i++, 1));
                }
                break;
            case u'/':
                AppendText(Locale.DateSeparator);
                ++i;
                break;
            case u':':
                AppendText(Locale.TimeSeparator);
                ++i;
                break;
            case u'"':
            case u'\'': {
                // Quoted text is copied up to the closing quote of the same kind, or to the end.
                const qsizetype close = format.indexOf(starter, i + 1);
                const qsizetype end = close < 0 ? format.size() : close;
                AppendText(format.mid(i + 1, end - i - 1));
                i = close < 0 ? end : end + 1;
                break;
            }
            default:
                AppendText(format.mid(i++, 1));
                break;
        }
    }
}

// Handles am/pm, a/p, ampm (in any case) and aaa, aaaa (one case) at `i`; false when none
// of them begins there.
bool TFormatter::AppendAmPmOrDayName(QStringView format, qsizetype& i, bool& use12Hour) {
    const bool pm = FTime.hour() >= 12;
    if (StartsWithNoCase(format, i, u"am/pm")) {
        AppendText(format.mid(i + (pm ? 3 : 0), 2));
        i += 5;
        use12Hour = true;
    } else if (StartsWithNoCase(format, i, u"a/p")) {
        AppendText(format.mid(i + (pm ? 2 : 0), 1));
        i += 3;
        use12Hour = true;
    } else if (StartsWithNoCase(format, i, u"ampm")) {
        AppendText(pm ? Locale.TimePm : Locale.TimeAm);
        i += 4;
        use12Hour = true;
    } else if (format.mid(i).startsWith(QString(4, format[i]))) {
        AppendText(DayName(Locale.LongDayNames));
        i += 4;
    } else if (format.mid(i).startsWith(QString(3, format[i]))) {
        AppendText(DayName(Locale.ShortDayNames));
        i += 3;
    } else {
        return false;
    }
    return true;
}

void TFormatter::AppendEra(qsizetype count) {
    if (const auto era = EraOf(FDate)) {
        AppendText(count == 1 ? era->Name.left(1) : era->Name);
    }
}

void TFormatter::AppendEraYear(qsizetype count) {
    if (const auto era = EraOf(FDate)) {
        AppendNumber(FDate.year() - era->Year + 1, count == 1 ? 1 : 2);
    }
}

}  // namespace

QString TDateTimeFormatter::FormatDateTime(const QString& format, const QDate& date,
                                           const QTime& time) {
    TFormatter formatter(date, time);
    formatter.Append(format.isEmpty() ? QStringView(u"c") : QStringView(format), 0);
    return formatter.Result();
}

QString TDateTimeFormatter::FormatDateTime(const QString& format, const QDateTime& dateTime) {
    return FormatDateTime(format, dateTime.date(), dateTime.time());
}
