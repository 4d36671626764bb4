#pragma once
// What the upload queue asks of the window that hosts it: questions to the user, the log,
// the folder display. The remote folder browser implements it; tests script it.

#include "TFtpItem.h"

#include <QString>
#include <optional>
#include <vector>

class TUploadDialogue {
public:
    enum class TAnswer { Yes, No, Cancel };

    virtual ~TUploadDialogue() = default;

    // A one-line input box; nullopt when cancelled.
    virtual std::optional<QString> AskFileName(const QString& caption, const QString& prompt) = 0;
    // Confirmation boxes with Yes, No and Cancel.
    virtual TAnswer AskOverwrite(const QString& text) = 0;
    virtual TAnswer AskContinueAfterError(const QString& text) = 0;
    // A warning box with OK only.
    virtual void WarnConnection(const QString& text) = 0;
    virtual void Log(const QString& line) = 0;
    virtual void ProcessEvents() = 0;
    // A fresh listing of the current folder, already sorted, and the folder's path.
    virtual void ShowDirectory(const std::vector<TFtpItem>& items, const QString& path) = 0;
    // Up one folder, set HTML folder, set picture folder.
    virtual void EnableCommands() = 0;
};
