#pragma once
// A real FTP server on 127.0.0.1 for the tests (pyftpdlib or vsftpd), with a home folder
// in a temporary folder and a read-only folder inside it; stopped when the object goes, and
// killed with the test process if that dies first. It binds a port of the kernel's choosing,
// found from its sockets, and greets with a token of its own run, so no other server is
// ever taken for it.

#include "TFtpClient.h"
#include "TFtpConfig.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

class TFtpTestServer {
public:
    enum class TKind { Pyftpdlib, Vsftpd };

    static bool IsInstalled(TKind kind);
    static QString KindName(TKind kind);

    struct TOptions {
        // pyftpdlib only: names go over the wire in Shift_JIS (on disk they stay UTF-8) and
        // FEAT does not announce UTF8.
        bool ShiftJisWire = false;
        // pyftpdlib only: PORT and EPRT answer 500, as behind a router active mode cannot cross.
        bool RefuseActive = false;
        // pyftpdlib only: listings begin with the "." and ".." folders, as some servers' do.
        bool DotEntries = false;
    };

    // Starts the server and waits until it greets with its token; throws std::runtime_error
    // otherwise.
    explicit TFtpTestServer(TKind kind);
    TFtpTestServer(TKind kind, TOptions options);
    ~TFtpTestServer();

    TFtpLogin Login() const { return {QStringLiteral("127.0.0.1"), FUser, FPassword, FPort}; }
    // The project settings of the same login, with empty folders.
    TFtpConfig Config(bool passive = false) const;
    // The same server with a password it refuses.
    TFtpLogin BadLogin() const;
    // A folder the user may store into: its local path and the path the server shows.
    // pyftpdlib starts the session in it ("/"); vsftpd refuses a writable top folder for
    // anonymous sessions, so there it is "/pub" (its real path when not run as root).
    QString Home() const { return FHome; }
    QString RemoteHome() const { return FRemoteHome; }
    // Creates a folder or a file below the home that the server's sessions may replace
    // (vsftpd's run under another account than the tests).
    void PutFolder(const QString& relative) const;
    void PutFile(const QString& relative, const QByteArray& bytes) const;
    // The same for a folder whose name is given as the bytes it has on disk.
    void PutFolderBytes(const QByteArray& relative) const;
    // A folder inside the home where nothing may be stored (a name relative to the home).
    static QString ReadOnlyFolder() { return QStringLiteral("ro"); }
    // Ends the server and every session it has at once.
    void Kill();

private:
    void StartPyftpdlib();
    void StartVsftpd();
    void Launch(const QString& program, const QStringList& arguments);
    void WaitUntilGreeting();

    void HandOver(const QString& path) const;

    TKind FKind;
    TOptions FOptions;
    QString FToken;  // in the greeting of this run's server
    QTemporaryDir FDir;
    QString FHome;
    QString FRemoteHome;
    QString FUser;
    QString FPassword;
    quint16 FPort = 0;
    QStringList FLockedFolders;  // read-only for the sessions of a server not run as root
    int FUid = -1;               // the account of the sessions when it is not ours
    int FGid = -1;
    QProcess FProcess;
};

// The Qt classes of the tests want an application object; this makes one once.
void EnsureCoreApplication();

}  // namespace testsupport
