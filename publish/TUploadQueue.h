#pragma once
// The FTP session of the remote folder browser without its window: connecting, the queue of
// files to upload with its name, overwrite and error questions, and listing the current folder.

#include "TFtpClient.h"
#include "TFtpItem.h"
#include "TUploadDialogue.h"

#include <QString>
#include <deque>
#include <vector>

// One queued upload.
struct TUploadFile {
    QString RemoteDir;   // given as is to a change of folder: absolute, or relative to the session
    QString LocalFile;   // full local path
    QString RemoteName;  // empty: the user is asked
};

class TUploadQueue {
public:
    explicit TUploadQueue(TUploadDialogue& dialogue, int timeoutMs = TFtpClient::DefaultTimeoutMs);

    void SetLogin(const TFtpLogin& login) { FLogin = login; }
    void AddUploadFile(const QString& remoteDir, const QString& localFile,
                       const QString& remoteName);
    // Connects, runs the queue and lists the folder the session ends in. A failed connection
    // is reported to the dialogue and ends the work; an error of the final listing is thrown.
    void ConnectOnIdle();
    void UploadFiles();
    // Returns whether the queue goes on.
    bool UploadFile(const TUploadFile& file);

    // Lists the current folder, sorts it by the sort key and hands it to the dialogue.
    void ShowDirectory();
    int SortKey() const { return FSortKey; }
    // Re-sorts the listing held; no request goes to the server.
    void SetSortKey(int sortKey);
    const std::vector<TFtpItem>& Items() const { return FItems; }
    // True while the queue runs: the window's own folder commands must wait, so that no file
    // lands in another folder than its entry names.
    bool IsRunning() const { return FRunning; }
    TFtpClient& Client() { return FClient; }

private:
    TUploadDialogue& FDialogue;
    TFtpClient FClient;
    TFtpLogin FLogin;
    std::deque<TUploadFile> FQueue;
    std::vector<TFtpItem> FItems;
    int FSortKey = FtpSortByName;
    bool FRunning = false;
};
