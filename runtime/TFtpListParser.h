#pragma once
// Reads the detailed folder listings of FTP servers (Unix "ls -l" and MS-DOS/IIS forms) into
// entries. Lines no rule understands are skipped; names may be UTF-8 or Shift_JIS.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

struct TFtpListEntry {
    QString Name;
    QDateTime ModifiedAt;
    qint64 Size = 0;
    bool IsDir = false;
    QString Permissions;   // the mode column of a Unix listing; empty for other forms
    int CodePage = 65001;  // the code page the entry's line was read in (65001 or 932)
};

class TFtpListParser {
public:
    // "now" decides the year of Unix entries that show a time instead of a year: the most
    // recent such date that is not later than now.
    static QList<TFtpListEntry> Parse(const QByteArray& listing, const QDateTime& now);
    static std::optional<TFtpListEntry> ParseLine(const QString& line, const QDateTime& now);
    // Text from a server: UTF-8 when the bytes are valid UTF-8, otherwise code page 932.
    static QString Decode(const QByteArray& bytes);
    // The code page Decode reads the bytes in: 65001 or 932.
    static int CodePageOf(const QByteArray& bytes);
};
