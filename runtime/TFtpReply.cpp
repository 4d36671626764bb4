#include "TFtpReply.h"

#include "TError.h"
#include "TFtpListParser.h"

#include <QTcpSocket>
#include <cctype>

namespace {

bool IsReplyCode(const QByteArray& line) {
    return line.size() >= 3 && std::isdigit(uchar(line[0])) && std::isdigit(uchar(line[1])) &&
           std::isdigit(uchar(line[2])) && (line.size() == 3 || line[3] == ' ' || line[3] == '-');
}

}  // namespace

QString SocketFailureText(const QTcpSocket& socket) {
    QString reason;
    switch (socket.error()) {
        case QAbstractSocket::ConnectionRefusedError:
            reason = QStringLiteral("接続を拒否されました");
            break;
        case QAbstractSocket::RemoteHostClosedError:
            reason = QStringLiteral("サーバーが接続を切断しました");
            break;
        case QAbstractSocket::HostNotFoundError:
            reason = QStringLiteral("ホストが見つかりません");
            break;
        case QAbstractSocket::SocketTimeoutError:
            reason = QStringLiteral("時間内に応答がありませんでした");
            break;
        case QAbstractSocket::NetworkError:
            reason = QStringLiteral("ネットワークエラーが発生しました");
            break;
        default:
            reason = QStringLiteral("通信エラーが発生しました");
            break;
    }
    return reason + QStringLiteral("（") + socket.errorString() + QStringLiteral("）");
}

bool TFtpReplyReader::HasLine() {
    if (!FSocket.canReadLine())
        FSocket.waitForReadyRead(0);
    return FSocket.canReadLine();
}

QByteArray TFtpReplyReader::ReadLine(QDeadlineTimer deadline) {
    while (!FSocket.canReadLine()) {
        if (FSocket.bytesAvailable() > MaxLineBytes) {
            throw TError(
                QStringLiteral("サーバーの応答の行が長すぎます（%1バイト超）。").arg(MaxLineBytes));
        }
        if (FSocket.state() != QAbstractSocket::ConnectedState) {
            throw TError(QStringLiteral("サーバーからの応答を受け取れませんでした: ") +
                         SocketFailureText(FSocket));
        }
        if (deadline.hasExpired()) {
            throw TError(QStringLiteral("サーバーからの応答が時間内にありませんでした。"));
        }
        FSocket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
    QByteArray line = FSocket.readLine(MaxLineBytes + 2);
    if (!line.endsWith('\n')) {
        throw TError(
            QStringLiteral("サーバーの応答の行が長すぎます（%1バイト超）。").arg(MaxLineBytes));
    }
    line.chop(line.endsWith("\r\n") ? 2 : 1);
    return line;
}

bool TFtpReplyAssembler::AddLine(const QByteArray& line) {
    if (FText.isEmpty()) {
        if (!IsReplyCode(line)) {
            throw TError(QStringLiteral("サーバーの応答を読み取れませんでした: ") +
                         TFtpListParser::Decode(line));
        }
        FText = line;
        // A multi-line reply ends at the first line that starts with the same code and a space.
        if (line.size() > 3 && line[3] == '-')
            FEnd = line.left(3) + ' ';
        return FEnd.isEmpty();
    }
    FText += '\n' + line;
    if (FText.size() > MaxReplyBytes) {
        throw TError(
            QStringLiteral("サーバーの応答が長すぎます（%1バイト超）。").arg(MaxReplyBytes));
    }
    return line.startsWith(FEnd) || line == FEnd.left(3);
}

TFtpReply TFtpReplyAssembler::Reply() const {
    return {FText.left(3).toInt(), TFtpListParser::Decode(FText), FText};
}

std::optional<QByteArray> QuotedPath(const QByteArray& text) {
    const qsizetype open = text.indexOf('"');
    if (open < 0)
        return std::nullopt;
    QByteArray path;
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            path += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            path += '"';
            ++i;
        } else {
            return path;
        }
    }
    return std::nullopt;
}

TFtpReply TFtpReplyReader::Read(QDeadlineTimer deadline) {
    TFtpReplyAssembler assembler;
    while (!assembler.AddLine(ReadLine(deadline))) {
    }
    return assembler.Reply();
}
