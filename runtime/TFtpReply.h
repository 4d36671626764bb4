#pragma once
// One FTP reply and the reader that takes replies off a control connection, line by line,
// with a time-out and a bound on line and reply length.

#include <QDeadlineTimer>
#include <QString>
#include <optional>

class QTcpSocket;

struct TFtpReply {
    int Code = 0;
    QString Text;      // every line of the reply, joined by "\n"
    QByteArray Bytes;  // the same as the server sent it, for names that must go back unchanged

    bool IsPreliminary() const { return Code >= 100 && Code < 200; }
    bool IsCompletion() const { return Code >= 200 && Code < 300; }
};

// Builds one reply from its lines as they arrive, without any socket: the rules of single-
// and multi-line replies and the bound on a reply's length.
class TFtpReplyAssembler {
public:
    static constexpr qsizetype MaxReplyBytes = 1024 * 1024;

    // Takes the next line (without its line end); returns true once the reply is complete.
    // Throws TError for a first line that is no reply or a reply that grows too long.
    bool AddLine(const QByteArray& line);
    // The complete reply.
    TFtpReply Reply() const;

private:
    QByteArray FText;
    QByteArray FEnd;  // "123 " of a multi-line reply that is still open
};

// The path of a 257 reply: between the first two double quotes, where "" stands for one quote.
// Bytes, not text: the path goes back to the server exactly as it came.
std::optional<QByteArray> QuotedPath(const QByteArray& replyBytes);

class TFtpReplyReader {
public:
    static constexpr qsizetype MaxLineBytes = 64 * 1024;
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
