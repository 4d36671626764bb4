#pragma once
// Replaces a file's content in one step: the bytes go to a sibling temporary file, which is
// renamed over the old one, so a crash or a full disk never leaves a truncated file. A symbolic
// link is written through to its target; an existing file's permissions are kept.

#include <QByteArray>
#include <QString>

class TAtomicFile {
public:
    // ToDisk waits until the bytes are on the disk before the rename: for files people keep.
    // Scratch copies that live only as long as a preview skip the wait.
    enum class TFlush { ToDisk, None };

    // Throws TError naming the full file name and the system's reason; the old file is then
    // untouched and no temporary file is left.
    static void Write(const QString& path, const QByteArray& bytes, TFlush flush = TFlush::ToDisk);
};
