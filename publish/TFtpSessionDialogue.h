#pragma once
// What the FTP session asks of the window that hosts it: questions to the user, the log, the
// transfer progress and the folder display. The remote folder browser implements it; the
// command line and the tests answer it without a person.

#include "TFtpItem.h"

#include <QString>
#include <optional>
#include <vector>

class TFtpSessionDialogue {
public:
    enum class TAnswer { Yes, No, Cancel };

    virtual ~TFtpSessionDialogue() = default;

    // A one-line input box; nullopt when cancelled.
    virtual std::optional<QString> AskFileName(const QString& caption, const QString& prompt) = 0;
    // Confirmation boxes with Yes, No and Cancel.
    virtual TAnswer AskOverwrite(const QString& text) = 0;
    virtual TAnswer AskContinueAfterError(const QString& text) = 0;
    virtual TAnswer AskSetFolder(const QString& text) = 0;
    // A warning box with OK only.
    virtual void WarnConnection(const QString& text) = 0;
    // The client's status texts and the upload lines, one line each.
    virtual void Log(const QString& line) = 0;
    // Between the steps of the queue; the window repaints and takes its input here.
    virtual void ProcessEvents() = 0;
    // After each chunk of a file being stored: bytes handed to the network so far, of total.
    // The window shows it and may process its events here; its commands then find the session
    // busy and do nothing.
    virtual void Progress(const QString& remoteName, qint64 sent, qint64 total) = 0;
    // The listing held changed: a fresh listing of the folder at path, or a new order.
    virtual void ShowDirectory(const std::vector<TFtpItem>& items, const QString& path) = 0;
    // Up one folder, set HTML folder, set picture folder.
    virtual void EnableCommands() = 0;
};
