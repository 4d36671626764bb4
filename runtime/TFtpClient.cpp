#include "TFtpClient.h"

#include "TError.h"

#include <QFile>
#include <QFileInfo>
#include <QHostInfo>
#include <QTcpServer>

namespace {

// How long the accept loop waits in one go before it looks at the control connection again.
constexpr int AcceptSliceMs = 20;

QString Failure(const QString& what, const QString& reason) {
    return what + QStringLiteral("\n") + reason;
}

bool IsNewLine(QChar c) {
    return c == u'\r' || c == u'\n';
}

}  // namespace

TFtpClient::TFtpClient(int timeoutMs) : FTimeoutMs(timeoutMs), FReader(FControl) {}

TFtpClient::~TFtpClient() {
    FControl.abort();
}

void TFtpClient::Notify(const QString& text) const {
    if (FStatus)
        FStatus(text);
}

bool TFtpClient::IsConnected() const {
    return FControl.state() == QAbstractSocket::ConnectedState;
}

QHostAddress TFtpClient::Resolve(const QString& host) {
    QHostAddress literal;
    if (literal.setAddress(host)) {
        if (literal.protocol() == QAbstractSocket::IPv4Protocol)
            return literal;
        throw TError(QStringLiteral("IPv4のアドレスではありません: ") + host);
    }
    const QHostInfo info = QHostInfo::fromName(host);
    for (const QHostAddress& address : info.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    }
    throw TError(QStringLiteral("ホスト %1 が見つかりません。").arg(host));
}

void TFtpClient::Connect(const TFtpLogin& login) {
    FControl.abort();
    FBinary = false;
    Notify(QStringLiteral("%1 のアドレスを調べています。").arg(login.Host));
    const QHostAddress address = Resolve(login.Host);
    Notify(QStringLiteral("%1:%2 に接続しています。").arg(address.toString()).arg(login.Port));
    FControl.connectToHost(address, login.Port);
    if (!FControl.waitForConnected(FTimeoutMs)) {
        const QString reason = SocketFailureText(FControl);
        FControl.abort();
        throw TError(Failure(QStringLiteral("サーバーに接続できません。"), reason));
    }
    Notify(QStringLiteral("接続しました。"));
    try {
        TFtpReply reply = Read();
        while (reply.Code == 120)
            reply = Read();  // "ready in a few minutes", then 220
        if (reply.Code != 220) {
            throw TError(
                Failure(QStringLiteral("サーバーが接続を受け付けませんでした。"), reply.Text));
        }
        reply = Command(QStringLiteral("USER ") + login.User);
        if (reply.Code == 331)
            reply = Command(QStringLiteral("PASS ") + login.Password);
        if (reply.Code != 230 && reply.Code != 202) {
            throw TError(Failure(QStringLiteral("ログインできませんでした。"), reply.Text));
        }
    } catch (const TError&) {
        FControl.abort();
        throw;
    }
    Notify(QStringLiteral("ログインしました。"));
}

void TFtpClient::Disconnect() {
    if (FControl.state() == QAbstractSocket::UnconnectedState)
        return;
    Notify(QStringLiteral("切断しています。"));
    FControl.abort();
    Notify(QStringLiteral("切断しました。"));
}

void TFtpClient::Send(const QString& command) {
    // A line break inside a name would smuggle a second command to the server.
    if (std::any_of(command.begin(), command.end(), IsNewLine)) {
        throw TError(QStringLiteral("改行を含む名前は使えません。"));
    }
    if (!IsConnected())
        throw TError(QStringLiteral("サーバーに接続していません。"));
    FControl.write(command.toUtf8() + "\r\n");
    const QDeadlineTimer deadline(FTimeoutMs);
    while (FControl.bytesToWrite() > 0) {
        if (deadline.hasExpired() ||
            !FControl.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())))) {
            throw TError(Failure(QStringLiteral("コマンドを送れませんでした。"),
                                 SocketFailureText(FControl)));
        }
    }
}

TFtpReply TFtpClient::Read() {
    try {
        return FReader.Read(QDeadlineTimer(FTimeoutMs));
    } catch (const TError&) {
        // A reply missed or half read would be taken for the answer to the next command.
        FControl.abort();
        throw;
    }
}

TFtpReply TFtpClient::Command(const QString& command) {
    Send(command);
    return Read();
}

QString TFtpClient::Pwd() {
    const TFtpReply reply = Command(QStringLiteral("PWD"));
    const std::optional<QString> path = reply.Code == 257 ? QuotedPath(reply.Text) : std::nullopt;
    if (!path) {
        throw TError(Failure(QStringLiteral("現在のフォルダを取得できませんでした。"), reply.Text));
    }
    return *path;
}

void TFtpClient::ChangeFolder(const QString& command) {
    const TFtpReply reply = Command(command);
    if (reply.Code != 200 && reply.Code != 250) {
        throw TError(Failure(QStringLiteral("フォルダを変更できませんでした。"), reply.Text));
    }
}

void TFtpClient::Cwd(const QString& path) {
    ChangeFolder(QStringLiteral("CWD ") + path);
}

void TFtpClient::Cdup() {
    ChangeFolder(QStringLiteral("CDUP"));
}

void TFtpClient::SetBinaryType() {
    if (FBinary)
        return;
    const TFtpReply reply = Command(QStringLiteral("TYPE I"));
    if (!reply.IsCompletion()) {
        throw TError(Failure(QStringLiteral("転送モードを設定できませんでした。"), reply.Text));
    }
    FBinary = true;
}

std::unique_ptr<QTcpSocket> TFtpClient::OpenData(const QString& command) {
    SetBinaryType();
    QTcpServer listener;
    const QHostAddress local = FControl.localAddress();
    if (!listener.listen(local, 0)) {
        throw TError(Failure(QStringLiteral("データ接続の待ち受けを始められませんでした。"),
                             listener.errorString()));
    }
    const quint32 ip = local.toIPv4Address();
    const quint16 port = listener.serverPort();
    TFtpReply reply = Command(QStringLiteral("PORT %1,%2,%3,%4,%5,%6")
                                  .arg(ip >> 24)
                                  .arg((ip >> 16) & 0xff)
                                  .arg((ip >> 8) & 0xff)
                                  .arg(ip & 0xff)
                                  .arg(port >> 8)
                                  .arg(port & 0xff));
    if (!reply.IsCompletion()) {
        throw TError(Failure(QStringLiteral("データ接続を準備できませんでした。"), reply.Text));
    }
    reply = Command(command);
    if (!reply.IsPreliminary()) {
        throw TError(Failure(QStringLiteral("サーバーが要求を受け付けませんでした。"), reply.Text));
    }
    // Only the server itself may connect; anyone else who finds the port is turned away.
    const QDeadlineTimer deadline(FTimeoutMs);
    while (!deadline.hasExpired()) {
        // One wake-up may queue several connections, and waiting only sees new ones.
        if (listener.hasPendingConnections() || listener.waitForNewConnection(AcceptSliceMs)) {
            std::unique_ptr<QTcpSocket> data(listener.nextPendingConnection());
            if (data->peerAddress().isEqual(FControl.peerAddress(),
                                            QHostAddress::ConvertV4MappedToIPv4)) {
                data->setParent(nullptr);
                return data;
            }
            data->abort();
            continue;
        }
        if (FReader.HasLine()) {
            reply = Read();
            throw TError(Failure(QStringLiteral("データ接続ができませんでした。"), reply.Text));
        }
        if (!IsConnected()) {
            throw TError(Failure(QStringLiteral("データ接続ができませんでした。"),
                                 SocketFailureText(FControl)));
        }
    }
    // The server's answer to the command is still due; the session cannot be trusted after it.
    FControl.abort();
    throw TError(QStringLiteral("サーバーからのデータ接続が時間内にありませんでした。"));
}

void TFtpClient::FinishTransfer() {
    const TFtpReply reply = Read();
    if (!reply.IsCompletion()) {
        throw TError(Failure(QStringLiteral("転送が完了しませんでした。"), reply.Text));
    }
    Notify(QStringLiteral("転送が終了しました。"));
}

void TFtpClient::FailTransfer(const QString& reason) {
    // The server answers a broken transfer on the control connection; its words say the most.
    QString message = Failure(QStringLiteral("転送が完了しませんでした。"), reason);
    try {
        message += QStringLiteral("\n") + Read().Text;
    } catch (const TError&) {
        // no answer came; Read has closed the session
    }
    throw TError(message);
}

QList<TFtpListEntry> TFtpClient::List(const QDateTime& now) {
    std::unique_ptr<QTcpSocket> data = OpenData(QStringLiteral("LIST"));
    Notify(QStringLiteral("一覧の転送を開始します。"));
    QByteArray listing;
    for (;;) {
        listing += data->readAll();
        if (listing.size() > MaxListingBytes) {
            data->abort();
            FailTransfer(QStringLiteral("一覧が大きすぎます（%1バイト超）。").arg(MaxListingBytes));
        }
        if (data->state() != QAbstractSocket::ConnectedState)
            break;
        if (!data->waitForReadyRead(FTimeoutMs) &&
            data->error() == QAbstractSocket::SocketTimeoutError) {
            data->abort();
            FailTransfer(QStringLiteral("一覧の受信が時間内に終わりませんでした。"));
        }
    }
    if (data->error() != QAbstractSocket::RemoteHostClosedError &&
        data->error() != QAbstractSocket::UnknownSocketError) {
        FailTransfer(SocketFailureText(*data));
    }
    FinishTransfer();
    return TFtpListParser::Parse(listing, now);
}

void TFtpClient::Store(const QString& localFile, const QString& remoteName) {
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly)) {
        throw TError(Failure(QStringLiteral("ファイル %1 を開けません。").arg(localFile),
                             file.errorString()));
    }
    const QString name = remoteName.isEmpty() ? QFileInfo(localFile).fileName() : remoteName;
    std::unique_ptr<QTcpSocket> data = OpenData(QStringLiteral("STOR ") + name);
    Notify(QStringLiteral("%1 の転送を開始します。").arg(name));
    QByteArray buffer(StoreChunkBytes, Qt::Uninitialized);
    // One chunk stays queued in the socket while the next is read, so the line never idles.
    auto drainTo = [&](qint64 pending) {
        while (data->bytesToWrite() > pending) {
            if (!data->waitForBytesWritten(FTimeoutMs)) {
                const QString reason = SocketFailureText(*data);
                data->abort();
                FailTransfer(reason);
            }
        }
    };
    for (;;) {
        const qint64 count = file.read(buffer.data(), buffer.size());
        if (count < 0) {
            data->abort();
            FailTransfer(QStringLiteral("ファイル %1 を読めません（%2）。")
                             .arg(localFile, file.errorString()));
        }
        if (count == 0)
            break;
        data->write(buffer.constData(), count);
        drainTo(StoreChunkBytes);
    }
    drainTo(0);
    data->disconnectFromHost();
    if (data->state() != QAbstractSocket::UnconnectedState)
        data->waitForDisconnected(FTimeoutMs);
    FinishTransfer();
}
