#pragma once
// Answers the FTP session's questions from the command line's options instead of asking a
// person: overwrite only with --overwrite yes, go on after a failure only with --keep-going.
// Everything the queue says goes to stderr.

#include <QStringList>

#include "TFtpSessionDialogue.h"

class TCliSessionDialogue : public TFtpSessionDialogue {
public:
    TCliSessionDialogue(bool overwrite, bool keepGoing)
        : FOverwrite(overwrite), FKeepGoing(keepGoing) {}

    std::optional<QString> AskFileName(const QString& caption, const QString& prompt) override;
    TAnswer AskOverwrite(const QString& text) override;
    TAnswer AskContinueAfterError(const QString& text) override;
    void WarnConnection(const QString& text) override;
    void Log(const QString& line) override;
    // Only the queue runs here; the browser's commands are never given.
    TAnswer AskSetFolder(const QString&) override { return TAnswer::No; }
    void ProcessEvents() override {}
    void Progress(const QString&, qint64, qint64) override {}
    void ShowDirectory(const std::vector<TFtpItem>&, const QString&) override {}
    void EnableCommands() override {}

    // True when some queued file was not stored: skipped, failed, or never reached.
    bool SomethingNotStored() const { return FNotStored; }

private:
    bool FOverwrite;
    bool FKeepGoing;
    bool FNotStored = false;
};
