#pragma once
// Formats a date and time by the pattern language of the item date formats (dd, mmmm, hh:nn,
// am/pm, gge, ...) with fixed Japanese locale data, the same on every machine.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

class TDateTimeFormatter {
public:
    // The result is cut at MaxLength characters. An empty format means "c".
    static constexpr qsizetype MaxLength = 256;

    // An invalid date counts as 1899-12-30 (day 0 of the day count); an invalid time as 0:00.
    static QString FormatDateTime(const QString& format, const QDate& date, const QTime& time);
    static QString FormatDateTime(const QString& format, const QDateTime& dateTime);
};
