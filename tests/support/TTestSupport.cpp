#include "TTestSupport.h"

#include "TFixtureProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QFile>
#include <stdexcept>

namespace testsupport {

TScratchDir::TScratchDir() : FDir(FixtureRoot() + QStringLiteral("/scratch-XXXXXX")) {
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

TClosedPort::TClosedPort() : FSocket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (FSocket < 0 || ::bind(FSocket, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(FSocket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot hold a closed port");
    }
    FPort = ntohs(address.sin_port);
}

TClosedPort::~TClosedPort() {
    ::close(FSocket);
}

QByteArray ReadFileBytes(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot read " + path.toStdString());
    QByteArray bytes;
    char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    ::close(fd);
    return bytes;
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
