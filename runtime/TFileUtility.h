#pragma once
// File-system helpers: the temporary folder, reserved temporary file names, deleting files and
// folders (or moving them to the trash), file sizes, and writing a text in a code page.

#include <QString>
#include <QStringList>

class TFileUtility {
public:
    // The user's temporary folder, ending with "/".
    static QString GetTempPath();
    // Creates a new, empty file named like "ABC1F3A.TMP" (up to three characters of the
    // prefix, four hexadecimal digits) in the folder, or in the temporary folder when the
    // folder is empty, and returns its full path. Creating it reserves the name.
    static QString CreateTempFile(const QString& folder = QString(),
                                  const QString& prefix = QString());
    // Deletes files and whole folders without questions, or moves them to the trash. Paths
    // that do not exist are skipped; true when every existing path was removed (so also
    // when none exists).
    static bool DeleteFiles(const QStringList& paths, bool toRecycleBin);
    static bool DeleteFile(const QString& path, bool toRecycleBin);
    // Size in bytes of the file; 0 when there is no file at the path.
    static qint64 GetFileSize(const QString& path);
    // Writes the text in code page 65001, 932 or 20932 without a byte-order mark, replacing
    // any existing file.
    static void SaveTextToFile(const QString& path, const QString& text, int codePage);
};
