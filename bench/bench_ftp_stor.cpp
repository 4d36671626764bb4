// Throughput of a whole upload session (connect, STOR, close) with the project's FTP client,
// beside curl storing the same file to the same server, alternating, best of several rounds.
// Run through scripts/bench-ftp.sh, which starts the server.

#include "TError.h"
#include "TFtpClient.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>
#include <limits>

namespace {

double OwnSeconds(const TFtpLogin& login, const QString& remoteDir, const QString& file) {
    QElapsedTimer clock;
    clock.start();
    TFtpClient client;
    client.Connect(login);
    client.Cwd(remoteDir);
    client.Store(file, QStringLiteral("orvane-client.bin"));
    client.Disconnect();
    return clock.nsecsElapsed() / 1e9;
}

double CurlSeconds(const TFtpLogin& login, const QString& remoteDir, const QString& file) {
    const QString url =
        QStringLiteral("ftp://%1:%2%3/").arg(login.Host).arg(login.Port).arg(remoteDir);
    QElapsedTimer clock;
    clock.start();
    QProcess curl;
    curl.setProcessChannelMode(QProcess::ForwardedChannels);
    curl.start(QStringLiteral("curl"),
               {QStringLiteral("-sS"), QStringLiteral("-u"), login.User + u':' + login.Password,
                QStringLiteral("--ftp-port"), QStringLiteral("-"), QStringLiteral("--disable-eprt"),
                QStringLiteral("-T"), file, url});
    if (!curl.waitForFinished(600000) || curl.exitCode() != 0) {
        throw TError(QStringLiteral("curl failed"));
    }
    return clock.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    options.addOptions(
        {{QStringLiteral("host"), QStringLiteral("server"), QStringLiteral("h"),
          QStringLiteral("127.0.0.1")},
         {QStringLiteral("port"), QStringLiteral("port"), QStringLiteral("n")},
         {QStringLiteral("user"), QStringLiteral("user"), QStringLiteral("u")},
         {QStringLiteral("password"), QStringLiteral("password"), QStringLiteral("p")},
         {QStringLiteral("dir"), QStringLiteral("remote folder"), QStringLiteral("d"),
          QStringLiteral("/")},
         {QStringLiteral("file"), QStringLiteral("file to send"), QStringLiteral("f")},
         {QStringLiteral("rounds"), QStringLiteral("rounds"), QStringLiteral("r"),
          QStringLiteral("3")}});
    options.process(app);
    const TFtpLogin login{options.value(QStringLiteral("host")),
                          options.value(QStringLiteral("user")),
                          options.value(QStringLiteral("password")),
                          quint16(options.value(QStringLiteral("port")).toUInt())};
    const QString dir = options.value(QStringLiteral("dir"));
    const QString file = options.value(QStringLiteral("file"));
    const int rounds = options.value(QStringLiteral("rounds")).toInt();
    const double megabytes = QFileInfo(file).size() / 1e6;

    double own = std::numeric_limits<double>::max();
    double curl = own;
    try {
        for (int i = 0; i < rounds; ++i) {
            own = std::min(own, OwnSeconds(login, dir, file));
            curl = std::min(curl, CurlSeconds(login, dir, file));
        }
    } catch (const TError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("file           %.1f MB, best of %d rounds\n", megabytes, rounds);
    std::printf("TFtpClient     %8.1f MB/s (%.3f s)\n", megabytes / own, own);
    std::printf("curl           %8.1f MB/s (%.3f s)\n", megabytes / curl, curl);
    std::printf("ratio          %8.2f (client / curl)\n", curl / own);
    return 0;
}
