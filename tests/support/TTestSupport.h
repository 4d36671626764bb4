#pragma once
// Small helpers shared by the tests: temporary folders, file contents, byte literals.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Readable test failures for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace testsupport {

// A fresh folder removed with everything in it at the end of the test (or, when the test
// process is killed, by the fixture keeper).
class TScratchDir {
public:
    TScratchDir();
    QString Path() const { return FDir.path(); }
    QString File(const QString& name) const { return FDir.filePath(name); }

private:
    QTemporaryDir FDir;
};

// Sets an environment variable for the lifetime of the object, then restores it (or unsets it).
class TScopedEnv {
public:
    TScopedEnv(const char* name, const QString& value);
    ~TScopedEnv();
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    QByteArray FName;
    QByteArray FOld;
    bool FWasSet;
};

// A port on 127.0.0.1 where nothing listens, held bound for the object's life so that no
// server can take it meanwhile: connecting to it is refused.
class TClosedPort {
public:
    TClosedPort();
    ~TClosedPort();
    TClosedPort(const TClosedPort&) = delete;
    TClosedPort& operator=(const TClosedPort&) = delete;
    quint16 Port() const { return FPort; }

private:
    int FSocket = -1;
    quint16 FPort = 0;
};

QByteArray ReadFile(const QString& path);
// A file named by its bytes on disk, which need not be UTF-8.
QByteArray ReadFileBytes(const QByteArray& path);
void WriteFile(const QString& path, const QByteArray& bytes);
// "81 60 87 40" -> the four bytes.
QByteArray Hex(const char* spacedHex);

}  // namespace testsupport
