#pragma once
// A hand-driven FTP peer on 127.0.0.1 for the cases real servers do not produce: silence,
// overlong lines, data connections from a stranger. The script runs on a thread of its own;
// an exception it throws becomes a failure of the test that owns the server.

#include <QByteArray>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace testsupport {

class TScriptedFtpServer {
public:
    // What a script can do with the one client connection. Every wait ends after a few seconds.
    class TSession {
    public:
        explicit TSession(int socket) : FSocket(socket) {}
        void Send(const QByteArray& bytes);
        // The next command line without its line end; empty once the client has gone.
        QByteArray ReadLine();
        // Opens a connection to the client's "PORT a,b,c,d,p1,p2" from the given local address,
        // sends the bytes and closes it.
        static void SendData(const QByteArray& portArgument, const char* fromAddress,
                             const QByteArray& bytes);

    private:
        int FSocket;
        QByteArray FPending;
    };
    using TScript = std::function<void(TSession&)>;

    explicit TScriptedFtpServer(TScript script);
    ~TScriptedFtpServer();
    quint16 Port() const { return FPort; }

private:
    void Run();

    TScript FScript;
    int FListener = -1;
    quint16 FPort = 0;
    std::atomic<bool> FStop{false};
    std::string FScriptFailure;  // written by the thread, read after joining it
    std::thread FThread;
};

}  // namespace testsupport
