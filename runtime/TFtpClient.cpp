#include "TFtpClient.h"

#include "TCodePage.h"
#include "TError.h"

#include <netdb.h>
#include <netinet/in.h>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpServer>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// How long the accept loop waits in one go before it looks at the control connection again.
constexpr int AcceptSliceMs = 20;

QString Failure(const QString& what, const QString& reason) {
    return what + QStringLiteral("\n") + reason;
}

bool IsNewLine(char c) {
    return c == '\r' || c == '\n';
}

bool IsAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

bool IsFolderChanged(const TFtpReply& reply) {
    return reply.Code == 200 || reply.Code == 250;
}

// The IPv4 address of a host name, or 0. getaddrinfo has no time-out of its own, so it runs on
// a thread of its own that is left behind when the time is up; it ends by itself later.
quint32 LookUpIPv4(const std::string& name, int timeoutMs) {
    struct TLookup {
        std::mutex Lock;
        std::condition_variable Done;
        bool Finished = false;
        quint32 Address = 0;
    };
    auto lookup = std::make_shared<TLookup>();
    std::thread([lookup, name] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        quint32 address = 0;
        if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) == 0 && found) {
            address = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
        }
        if (found)
            ::freeaddrinfo(found);
        const std::lock_guard guard(lookup->Lock);
        lookup->Address = address;
        lookup->Finished = true;
        lookup->Done.notify_all();
    }).detach();
    std::unique_lock guard(lookup->Lock);
    if (!lookup->Done.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                               [&] { return lookup->Finished; })) {
        throw TError(QStringLiteral("ホスト %1 の名前解決が時間内に終わりませんでした。")
                         .arg(QString::fromStdString(name)));
    }
    return lookup->Address;
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
    const QByteArray ace = QUrl::toAce(host);
    const quint32 address = ace.isEmpty() ? 0 : LookUpIPv4(ace.toStdString(), FTimeoutMs);
    if (address == 0)
        throw TError(QStringLiteral("ホスト %1 が見つかりません。").arg(host));
    return QHostAddress(address);
}

void TFtpClient::Connect(const TFtpLogin& login) {
    FControl.abort();
    FBinary = false;
    FTransferring = false;
    FPassive = login.Passive;
    FFeatures.clear();
    FUtf8Announced = false;
    FCodePageKnown = false;
    FNameCodePage = TCodePage::Utf8;
    FListedNames.clear();
    FReportedPaths.clear();
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
        Login(login);
        ReadFeatures();
    } catch (const TError&) {
        FControl.abort();
        throw;
    }
    Notify(QStringLiteral("ログインしました。"));
}

void TFtpClient::Login(const TFtpLogin& login) {
    TFtpReply reply = Read();
    while (reply.Code == 120)
        reply = Read();  // "ready in a few minutes", then 220
    if (reply.Code != 220) {
        throw TError(Failure(QStringLiteral("サーバーが接続を受け付けませんでした。"), reply.Text));
    }
    reply = Command(Line("USER", login.User));
    if (reply.Code == 331)
        reply = Command(Line("PASS", login.Password));
    if (reply.Code != 230 && reply.Code != 202) {
        throw TError(Failure(QStringLiteral("ログインできませんでした。"), reply.Text));
    }
}

void TFtpClient::ReadFeatures() {
    const TFtpReply reply = Command(Line("FEAT"));
    if (reply.Code != 211)
        return;  // a server without FEAT offers nothing beyond the basic commands
    // The features stand on the lines between "211-..." and "211 End".
    const QList<QByteArray> lines = reply.Bytes.split('\n');
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QByteArray feature = lines[i].trimmed().split(' ').first().toUpper();
        if (!feature.isEmpty())
            FFeatures.insert(feature);
    }
    if (FFeatures.contains("UTF8")) {
        FUtf8Announced = true;
        FCodePageKnown = true;
        FNameCodePage = TCodePage::Utf8;
        // Some servers switch only when asked; the announcement holds whatever the answer.
        Command(Line("OPTS UTF8 ON"));
    }
}

void TFtpClient::Disconnect() {
    if (FControl.state() == QAbstractSocket::UnconnectedState)
        return;
    Notify(QStringLiteral("切断しています。"));
    FControl.abort();
    Notify(QStringLiteral("切断しました。"));
}

QByteArray TFtpClient::Line(const char* verb) const {
    return QByteArray(verb);
}

QByteArray TFtpClient::Line(const char* verb, const QString& argument) const {
    QByteArray bytes = FReportedPaths.value(argument, FListedNames.value(argument));
    if (bytes.isNull())
        bytes = Encode(argument, FNameCodePage);
    return QByteArray(verb) + ' ' + bytes;
}

QByteArray TFtpClient::Encode(const QString& name, int codePage) const {
    const QByteArray bytes = TCodePage::Encode(name, codePage);
    // A character the code page lacks would go out as "?", which servers take for a wildcard.
    if (TCodePage::Decode(bytes, codePage) != name) {
        throw TError(
            QStringLiteral("%1 はサーバーの文字コードで表せない文字を含んでいます。").arg(name));
    }
    return bytes;
}

// A name that is not ASCII tells which code page the server's names are in, unless the server
// has said so itself.
void TFtpClient::Learn(int codePage, const QByteArray& bytes) {
    if (FUtf8Announced || IsAscii(bytes))
        return;
    FNameCodePage = codePage;
    FCodePageKnown = true;
}

void TFtpClient::Send(const QByteArray& line) {
    // A line break inside a name would smuggle a second command to the server.
    if (std::any_of(line.begin(), line.end(), IsNewLine))
        throw TError(QStringLiteral("改行を含む名前は使えません。"));
    if (FTransferring)
        throw TError(QStringLiteral("転送中は他の要求を送れません。"));
    if (!IsConnected())
        throw TError(QStringLiteral("サーバーに接続していません。"));
    FControl.write(line + "\r\n");
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

TFtpReply TFtpClient::Command(const QByteArray& line) {
    Send(line);
    return Read();
}

QString TFtpClient::Pwd() {
    const TFtpReply reply = Command(Line("PWD"));
    const std::optional<QByteArray> bytes =
        reply.Code == 257 ? QuotedPath(reply.Bytes) : std::nullopt;
    if (!bytes) {
        throw TError(Failure(QStringLiteral("現在のフォルダを取得できませんでした。"), reply.Text));
    }
    Learn(TFtpListParser::CodePageOf(*bytes), *bytes);
    const QString path = TFtpListParser::Decode(*bytes);
    FReportedPaths.insert(path, *bytes);
    return path;
}

void TFtpClient::ChangeFolder(const TFtpReply& reply) {
    if (!IsFolderChanged(reply)) {
        throw TError(Failure(QStringLiteral("フォルダを変更できませんでした。"), reply.Text));
    }
}

void TFtpClient::Cwd(const QString& path) {
    const QByteArray line = Line("CWD", path);
    TFtpReply reply = Command(line);
    // Until a name has shown the server's code page, a refused path gets one more try in
    // Shift_JIS, the other encoding Japanese servers speak; a refused change alters nothing.
    if (!IsFolderChanged(reply) && !FCodePageKnown) {
        QByteArray other;
        try {
            other = QByteArray("CWD ") + Encode(path, TCodePage::ShiftJis);
        } catch (const TError&) {
            // not a Shift_JIS name either; the first refusal stands
        }
        if (!other.isEmpty() && other != line) {
            const TFtpReply second = Command(other);
            if (IsFolderChanged(second)) {
                reply = second;
                FNameCodePage = TCodePage::ShiftJis;
                FCodePageKnown = true;
            }
        }
    }
    ChangeFolder(reply);
}

void TFtpClient::Cdup() {
    ChangeFolder(Command(Line("CDUP")));
}

void TFtpClient::SetBinaryType() {
    if (FBinary)
        return;
    const TFtpReply reply = Command(Line("TYPE I"));
    if (!reply.IsCompletion()) {
        throw TError(Failure(QStringLiteral("転送モードを設定できませんでした。"), reply.Text));
    }
    FBinary = true;
}

std::unique_ptr<QTcpSocket> TFtpClient::OpenData(const QByteArray& command) {
    SetBinaryType();
    std::unique_ptr<QTcpSocket> data =
        FPassive ? OpenPassiveData(command) : OpenActiveData(command);
    FTransferring = true;
    return data;
}

std::unique_ptr<QTcpSocket> TFtpClient::OpenActiveData(const QByteArray& command) {
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
                                  .arg(port & 0xff)
                                  .toLatin1());
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

// The port the server listens on for the next data connection: EPSV where FEAT offers it,
// otherwise (or when it is refused) PASV.
quint16 TFtpClient::PassivePort() {
    uint port = 0;
    if (FFeatures.contains("EPSV")) {
        // "229 Entering Extended Passive Mode (|||6446|)"
        static const QRegularExpression extended(QStringLiteral("\\((.)\\1\\1(\\d{1,5})\\1\\)"));
        const TFtpReply reply = Command(Line("EPSV"));
        const QRegularExpressionMatch m = extended.match(reply.Text);
        if (reply.Code == 229 && m.hasMatch())
            port = m.captured(2).toUInt();
    }
    if (port == 0) {
        // "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)"
        static const QRegularExpression classic(
            QStringLiteral("(\\d{1,3}),(\\d{1,3}),(\\d{1,3}),(\\d{1,3}),(\\d{1,3}),(\\d{1,3})"));
        const TFtpReply reply = Command(Line("PASV"));
        const QRegularExpressionMatch m = classic.match(reply.Text);
        if (reply.Code != 227 || !m.hasMatch()) {
            throw TError(Failure(QStringLiteral("パッシブモードにできませんでした。"), reply.Text));
        }
        port = m.captured(5).toUInt() * 256 + m.captured(6).toUInt();
    }
    if (port == 0 || port > 65535)
        throw TError(QStringLiteral("サーバーが示したポート番号が正しくありません。"));
    return quint16(port);
}

std::unique_ptr<QTcpSocket> TFtpClient::OpenPassiveData(const QByteArray& command) {
    const quint16 port = PassivePort();
    // Always the server's own address, never one a PASV reply names: behind a router that is
    // a private address, and elsewhere it could be anyone's.
    auto data = std::make_unique<QTcpSocket>();
    data->connectToHost(FControl.peerAddress(), port);
    if (!data->waitForConnected(FTimeoutMs)) {
        throw TError(
            Failure(QStringLiteral("データ接続ができませんでした。"), SocketFailureText(*data)));
    }
    const TFtpReply reply = Command(command);
    if (!reply.IsPreliminary()) {
        throw TError(Failure(QStringLiteral("サーバーが要求を受け付けませんでした。"), reply.Text));
    }
    return data;
}

void TFtpClient::FinishTransfer() {
    FTransferring = false;
    const TFtpReply reply = Read();
    if (!reply.IsCompletion()) {
        throw TError(Failure(QStringLiteral("転送が完了しませんでした。"), reply.Text));
    }
    Notify(QStringLiteral("転送が終了しました。"));
}

void TFtpClient::FailTransfer(const QString& reason) {
    FTransferring = false;
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
    std::unique_ptr<QTcpSocket> data = OpenData(Line("LIST"));
    const auto abandoned = qScopeGuard([this] { AbandonTransfer(); });
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
    QList<TFtpListEntry> entries = TFtpListParser::Parse(listing, now);
    RememberNames(entries);
    return entries;
}

// Keeps the names of a listing in the bytes they came in, and learns the server's code page
// from them: one name in Shift_JIS decides, since UTF-8 names are never read as Shift_JIS.
void TFtpClient::RememberNames(const QList<TFtpListEntry>& entries) {
    FListedNames.clear();
    int codePage = 0;
    QByteArray sample;
    for (const TFtpListEntry& entry : entries) {
        const QByteArray bytes = TCodePage::Encode(entry.Name, entry.CodePage);
        FListedNames.insert(entry.Name, bytes);
        if (!IsAscii(bytes) && codePage != TCodePage::ShiftJis) {
            codePage = entry.CodePage;
            sample = bytes;
        }
    }
    if (codePage != 0)
        Learn(codePage, sample);
}

void TFtpClient::Store(const QString& localFile, const QString& remoteName) {
    QFile file(localFile);
    if (!file.open(QIODevice::ReadOnly)) {
        throw TError(Failure(QStringLiteral("ファイル %1 を開けません。").arg(localFile),
                             file.errorString()));
    }
    const QString name = remoteName.isEmpty() ? QFileInfo(localFile).fileName() : remoteName;
    std::unique_ptr<QTcpSocket> data = OpenData(Line("STOR", name));
    const auto abandoned = qScopeGuard([this] { AbandonTransfer(); });
    Notify(QStringLiteral("%1 の転送を開始します。").arg(name));
    const qint64 total = file.size();
    qint64 written = 0;
    auto report = [&] {
        if (FProgress)
            FProgress(written - data->bytesToWrite(), total);
    };
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
        written += count;
        drainTo(StoreChunkBytes);
        report();
    }
    drainTo(0);
    report();
    data->disconnectFromHost();
    if (data->state() != QAbstractSocket::UnconnectedState)
        data->waitForDisconnected(FTimeoutMs);
    FinishTransfer();
}

// A transfer left without its final reply (a handler threw) leaves a reply due that would be
// taken for the answer to the next command: the session ends.
void TFtpClient::AbandonTransfer() {
    if (!FTransferring)
        return;
    FTransferring = false;
    FControl.abort();
}
