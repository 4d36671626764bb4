#pragma once
// The FTP session of the remote folder browser without its window: connecting, the queue of
// files to upload with its name, overwrite and error questions, and the browser's own
// commands (list, up one folder, enter a folder, history, set the HTML and picture folders).
// The window forwards its commands here and shows what the dialogue is told.

#include "TFtpClient.h"
#include "TFtpConfig.h"
#include "TFtpItem.h"
#include "TFtpSessionDialogue.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

// One queued upload.
struct TUploadFile {
    QString RemoteDir;   // given as is to a change of folder: absolute, or relative to the session
    QString LocalFile;   // full local path
    QString RemoteName;  // empty: the user is asked
};

class TFtpSession {
public:
    explicit TFtpSession(TFtpSessionDialogue& dialogue,
                         int timeoutMs = TFtpClient::DefaultTimeoutMs);

    // Server, login, port (its low 16 bits), passive mode and the two folders. The session
    // works on its own copy; the folders chosen are read back with FtpConfig().
    void SetFtpConfig(const TFtpConfig& config);
    const TFtpConfig& FtpConfig() const { return FConfig; }
    void AddUploadFile(const QString& remoteDir, const QString& localFile,
                       const QString& remoteName);

    // Connects, runs the queue and lists the folder the session ends in. A failed connection
    // is reported to the dialogue and ends the work; an error of the final listing is thrown.
    void ConnectOnIdle();
    // Logged in: the browser's commands are enabled (and wait while the session is busy).
    bool IsConnected() const { return FConnected; }
    // True while the queue or a command runs: the browser's commands do nothing then, so that
    // no file lands in another folder than its entry names and no request interrupts a
    // transfer.
    bool IsBusy() const { return FBusy; }
    // The queue stops after the file it is sending (the window is closing).
    void RequestStop() { FStopRequested = true; }

    // The browser's commands. Each does nothing before connecting or while busy. Server errors
    // are thrown as TError; the listing held then stays as it was.
    // Lists the current folder, sorted by the sort key, and records it in the history.
    void ShowDirectory();
    // CDUP, then the listing.
    void MoveUp();
    // Enters the folder at index of Items() (relative to the current folder); a file or an
    // index out of range does nothing.
    void EnterFolder(qsizetype index);
    // Changes to the history entry at index unless the server's current folder (PWD) is
    // already that text; an index out of range does nothing.
    void ChooseHistory(qsizetype index);
    // Asks whether the current folder (PWD) becomes DirHtml / DirImage; Yes sets it.
    void SetHtmlFolder();
    void SetImageFolder();
    // Re-sorts the listing held and shows it again; no request goes to the server.
    void SetSortKey(int sortKey);

    int SortKey() const { return FSortKey; }
    const std::vector<TFtpItem>& Items() const { return FItems; }
    // The folders listed, each once (letter case ignored), the current one last.
    const QStringList& History() const { return FHistory; }
    // The path of the folder last listed; empty before the first listing.
    const QString& CurrentFolder() const { return FCurrentFolder; }

private:
    class TBusy;
    bool CanBrowse() const { return FConnected && !FBusy; }
    void UploadFiles();
    // Returns whether the queue goes on.
    bool UploadFile(const TUploadFile& file);
    void ListCurrentFolder();
    void SetFolder(QString TFtpConfig::*field, const QString& question);

    TFtpSessionDialogue& FDialogue;
    TFtpClient FClient;
    TFtpConfig FConfig;
    std::deque<TUploadFile> FQueue;
    std::vector<TFtpItem> FItems;
    QStringList FHistory;
    QString FCurrentFolder;
    QString FStoring;  // the remote name of the file being stored, for the progress
    int FSortKey = FtpSortByName;
    bool FConnected = false;
    bool FBusy = false;
    bool FStopRequested = false;
};
