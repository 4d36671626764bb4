#pragma once
// The fuzzers' input as a file, for the readers that only open paths. It lives in shared
// memory where there is some, so each run costs little.

#include <unistd.h>
#include <QByteArray>
#include <QFile>
#include <QString>

inline QString FuzzInputFile(const uint8_t* data, size_t size) {
    static const QString path =
        QStringLiteral("%1/orvane-fuzz-%2.bin")
            .arg(QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm")
                                                           : QStringLiteral("/tmp"))
            .arg(getpid());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    return path;
}
