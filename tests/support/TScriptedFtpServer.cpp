#include "TScriptedFtpServer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QList>
#include <chrono>
#include <stdexcept>

namespace testsupport {

namespace {

constexpr int WaitMs = 10000;

bool WaitReadable(int socket, int timeoutMs) {
    pollfd p{socket, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0;
}

void SendAll(int socket, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(socket, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;  // the client went away; the test's assertions tell the rest
        sent += n;
    }
}

}  // namespace

void TScriptedFtpServer::TSession::Send(const QByteArray& bytes) {
    SendAll(FSocket, bytes);
}

QByteArray TScriptedFtpServer::TSession::ReadLine() {
    while (!FPending.contains('\n')) {
        if (!WaitReadable(FSocket, WaitMs))
            return {};
        char buffer[4096];
        const ssize_t n = ::recv(FSocket, buffer, sizeof buffer, 0);
        if (n <= 0)
            return {};
        FPending.append(buffer, n);
    }
    const qsizetype end = FPending.indexOf('\n');
    QByteArray line = FPending.left(end);
    FPending.remove(0, end + 1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

void TScriptedFtpServer::TSession::SendData(const QByteArray& portArgument, const char* fromAddress,
                                            const QByteArray& bytes) {
    const QList<QByteArray> parts = portArgument.split(',');
    if (parts.size() != 6)
        throw std::runtime_error("bad PORT argument");
    const QByteArray host = parts[0] + '.' + parts[1] + '.' + parts[2] + '.' + parts[3];
    const int port = parts[4].toInt() * 256 + parts[5].toInt();
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    ::inet_pton(AF_INET, fromAddress, &from.sin_addr);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    ::inet_pton(AF_INET, host.constData(), &to.sin_addr);
    if (::bind(s, reinterpret_cast<sockaddr*>(&from), sizeof from) == 0 &&
        ::connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) {
        SendAll(s, bytes);
    }
    ::close(s);
}

TScriptedFtpServer::TScriptedFtpServer(TScript script) : FScript(std::move(script)) {
    FListener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(FListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(FListener, 4) != 0 ||
        ::getsockname(FListener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(FListener);
        throw std::runtime_error("the scripted FTP server cannot listen");
    }
    FPort = ntohs(address.sin_port);
    FThread = std::thread([this] { Run(); });
}

TScriptedFtpServer::~TScriptedFtpServer() {
    FStop = true;
    FThread.join();
    ::close(FListener);
    if (!FScriptFailure.empty())
        ADD_FAILURE() << "the scripted FTP server's script failed: " << FScriptFailure;
}

void TScriptedFtpServer::Run() {
    // Short waits, so that a test that never connects is not held up at its end.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitMs);
    while (!WaitReadable(FListener, 50)) {
        if (FStop || std::chrono::steady_clock::now() > giveUp)
            return;
    }
    const int client = ::accept(FListener, nullptr, nullptr);
    if (client < 0)
        return;
    TSession session(client);
    try {
        FScript(session);
    } catch (const std::exception& e) {
        FScriptFailure = e.what();
    } catch (...) {
        FScriptFailure = "an exception of unknown type";
    }
    // Hold the connection open until the test is done, so silence stays silence.
    while (!FStop && !WaitReadable(client, 50)) {
    }
    ::close(client);
}

}  // namespace testsupport
