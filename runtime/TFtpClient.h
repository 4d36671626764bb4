#pragma once
// The FTP client of the publishing windows: one blocking session (RFC 959) on QtNetwork with
// login on connect, folder requests, a parsed detailed listing and binary stores over active-mode
// data connections. Every wait is bounded by the time-out; failures are TError.

#include "TFtpListParser.h"
#include "TFtpReply.h"

#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QTcpSocket>
#include <functional>
#include <memory>

class QTcpServer;

// What the client needs to reach and log in to a server.
struct TFtpLogin {
    QString Host;
    QString User;
    QString Password;
    quint16 Port = 21;
};

class TFtpClient {
public:
    using TStatusHandler = std::function<void(const QString&)>;

    static constexpr int DefaultTimeoutMs = 30000;
    static constexpr qint64 MaxListingBytes = 64LL * 1024 * 1024;
    static constexpr qint64 StoreChunkBytes = 256 * 1024;

    // timeoutMs bounds each wait: connecting, every reply, every step of a data transfer.
    explicit TFtpClient(int timeoutMs = DefaultTimeoutMs);
    ~TFtpClient();
    TFtpClient(const TFtpClient&) = delete;
    TFtpClient& operator=(const TFtpClient&) = delete;

    void SetStatusHandler(TStatusHandler handler) { FStatus = std::move(handler); }

    // Connects and logs in (USER, and PASS when the server asks for it).
    void Connect(const TFtpLogin& login);
    bool IsConnected() const;
    // Closes the control connection without QUIT.
    void Disconnect();

    QString Pwd();
    void Cwd(const QString& path);
    void Cdup();
    // A detailed listing (LIST) of the current folder; "now" dates the entries that carry a time
    // instead of a year.
    QList<TFtpListEntry> List(const QDateTime& now = QDateTime::currentDateTime());
    // Stores the local file's bytes under remoteName (the local file's name when empty).
    void Store(const QString& localFile, const QString& remoteName);

private:
    void Notify(const QString& text) const;
    void Send(const QString& command);
    TFtpReply Read();
    TFtpReply Command(const QString& command);
    void ChangeFolder(const QString& command);
    QHostAddress Resolve(const QString& host);
    void SetBinaryType();
    std::unique_ptr<QTcpSocket> OpenData(const QString& command);
    void FinishTransfer();
    [[noreturn]] void FailTransfer(const QString& reason);

    int FTimeoutMs;
    TStatusHandler FStatus;
    QTcpSocket FControl;
    TFtpReplyReader FReader;
    bool FBinary = false;
};
