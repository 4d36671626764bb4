#include "TTestSupport.h"

#include <QFile>
#include <stdexcept>

namespace testsupport {

TScratchDir::TScratchDir() {
    if (!FDir.isValid())
        throw std::runtime_error("no temporary folder for the test");
}

TScopedEnv::TScopedEnv(const char* name, const QString& value)
    : FName(name), FOld(qgetenv(name)), FWasSet(qEnvironmentVariableIsSet(name)) {
    qputenv(name, value.toUtf8());
}

TScopedEnv::~TScopedEnv() {
    if (FWasSet) {
        qputenv(FName.constData(), FOld);
    } else {
        qunsetenv(FName.constData());
    }
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QByteArray Hex(const char* spacedHex) {
    return QByteArray::fromHex(QByteArray(spacedHex).replace(' ', ""));
}

}  // namespace testsupport
