#pragma once
// One FTP reply and the reader that takes replies off a control connection, line by line,
// with a time-out and a bound on line and reply length.

#include <QDeadlineTimer>
#include <QString>

class QTcpSocket;

struct TFtpReply {
    int Code = 0;
    QString Text;  // every line of the reply, joined by "\n"

    bool IsPreliminary() const { return Code >= 100 && Code < 200; }
    bool IsCompletion() const { return Code >= 200 && Code < 300; }
};

class TFtpReplyReader {
public:
    static constexpr qsizetype MaxLineBytes = 64 * 1024;
    static constexpr qsizetype MaxReplyBytes = 1024 * 1024;

    explicit TFtpReplyReader(QTcpSocket& socket) : FSocket(socket) {}
    // Reads one complete reply, single- or multi-line ("123-first" ... "123 last").
    TFtpReply Read(QDeadlineTimer deadline);
    // Whether a whole line is already waiting, without blocking.
    bool HasLine();

private:
    QByteArray ReadLine(QDeadlineTimer deadline);

    QTcpSocket& FSocket;
};

// The Japanese reason for a socket's failure, with Qt's own text after it.
QString SocketFailureText(const QTcpSocket& socket);
