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

// A fresh folder removed with everything in it at the end of the test.
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

QByteArray ReadFile(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);
// "81 60 87 40" -> the four bytes.
QByteArray Hex(const char* spacedHex);

}  // namespace testsupport
