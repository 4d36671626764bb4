#pragma once
// The folder history of the remote folder browser: each folder once, letter case ignored,
// the most recently listed last.

#include <QString>
#include <QStringList>

class TFtpDirHistory {
public:
    // Removes an entry equal to path without regard to letter case and appends path; the
    // path's index (the last) is the entry to select.
    static qsizetype Add(QStringList& history, const QString& path);
};
