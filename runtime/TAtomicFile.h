#pragma once
// Replaces a file's content in one step: the bytes go to a sibling temporary file, which is
// flushed and renamed over the old one, so a crash or a full disk never leaves a truncated
// file. A symbolic link is written through to its target; the file's permissions are kept.

#include <QByteArray>
#include <QString>

class TAtomicFile {
public:
    // Throws TError naming the file and the system's reason; the old file is then untouched.
    static void Write(const QString& path, const QByteArray& bytes);
};
