#pragma once
// The FTP client of the publishing windows: one blocking session (RFC 959) on QtNetwork with
// login on connect, folder requests, a parsed detailed listing and binary stores over active or
// passive data connections. Names go out in the encoding the server speaks. Every wait is
// bounded by the time-out; failures are TError.

#include "TFtpListParser.h"
#include "TFtpReply.h"

#include <QDateTime>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QSet>
#include <QString>
#include <QTcpSocket>
#include <functional>
#include <memory>

// What the client needs to reach and log in to a server.
struct TFtpLogin {
    QString Host;
    QString User;
    QString Password;
    quint16 Port = 21;
    bool Passive = false;  // the client opens the data connections (EPSV or PASV)
};

class TFtpClient {
public:
    using TStatusHandler = std::function<void(const QString&)>;
    // Bytes of the file being stored that are handed to the network so far, and its size.
    using TProgressHandler = std::function<void(qint64 sent, qint64 total)>;

    static constexpr int DefaultTimeoutMs = 30000;
    static constexpr qint64 MaxListingBytes = 64LL * 1024 * 1024;
    static constexpr qint64 StoreChunkBytes = 256 * 1024;

    // timeoutMs bounds each wait: resolving the host, connecting, every reply, every step of a
    // data transfer.
    explicit TFtpClient(int timeoutMs = DefaultTimeoutMs);
    ~TFtpClient();
    TFtpClient(const TFtpClient&) = delete;
    TFtpClient& operator=(const TFtpClient&) = delete;

    void SetStatusHandler(TStatusHandler handler) { FStatus = std::move(handler); }
    // Called after each chunk of a store. No request may be made from inside it.
    void SetProgressHandler(TProgressHandler handler) { FProgress = std::move(handler); }

    // Connects, logs in (USER, and PASS when the server asks for it) and asks for the server's
    // features (FEAT), switching to UTF-8 names where it announces them.
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

    // The code page names are sent in: 65001 when the server announced UTF8, otherwise the one
    // its names were last read in (65001 until a name says otherwise).
    int NameCodePage() const { return FNameCodePage; }

private:
    void Notify(const QString& text) const;
    QByteArray Line(const char* verb) const;
    QByteArray Line(const char* verb, const QString& argument) const;
    QByteArray Encode(const QString& name, int codePage) const;
    void Learn(int codePage, const QByteArray& bytes);
    void Send(const QByteArray& line);
    TFtpReply Read();
    TFtpReply Command(const QByteArray& line);
    void Login(const TFtpLogin& login);
    void ReadFeatures();
    void ChangeFolder(const TFtpReply& reply);
    QHostAddress Resolve(const QString& host);
    void SetBinaryType();
    std::unique_ptr<QTcpSocket> OpenData(const QByteArray& command);
    std::unique_ptr<QTcpSocket> OpenActiveData(const QByteArray& command);
    std::unique_ptr<QTcpSocket> OpenPassiveData(const QByteArray& command);
    quint16 PassivePort();
    void FinishTransfer();
    [[noreturn]] void FailTransfer(const QString& reason);
    void AbandonTransfer();
    void RememberNames(const QList<TFtpListEntry>& entries);

    int FTimeoutMs;
    TStatusHandler FStatus;
    TProgressHandler FProgress;
    QTcpSocket FControl;
    TFtpReplyReader FReader;
    bool FBinary = false;
    bool FPassive = false;
    bool FTransferring = false;  // between a transfer command and its final reply
    QSet<QByteArray> FFeatures;  // the first word of each FEAT line, upper case
    bool FUtf8Announced = false;
    bool FCodePageKnown = false;  // announced, or learned from a name that is not ASCII
    int FNameCodePage = 65001;
    // Names and paths as the server sent them, so that they go back byte for byte even where
    // a code page has two byte forms for one character.
    QHash<QString, QByteArray> FListedNames;
    QHash<QString, QByteArray> FReportedPaths;
};
