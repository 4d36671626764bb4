#pragma once
// The remote folder browser: lists the FTP server's folders with a history and a log, sets the
// project's HTML and picture folders, and runs the queue of files its creator hands it once it
// has connected. The FTP work is the session's; this window asks the user and shows.

#include "TFtpConfig.h"
#include "TFtpSession.h"
#include "TFtpSessionDialogue.h"

#include <QDialog>
#include <QElapsedTimer>
#include <memory>

namespace Ui {
class TFormFtpDir;
}
class QAction;
class QLabel;
class QProgressBar;
class QPushButton;

class TFormFtpDir : public QDialog, private TFtpSessionDialogue {
    Q_OBJECT

public:
    // One queued upload: remote folder, local file, remote name (empty: the user is asked).
    using TUploadFile = ::TUploadFile;

    explicit TFormFtpDir(QWidget* owner);
    ~TFormFtpDir() override;

    // The preview window's uploads, each in a browser with its folder buttons hidden that stays
    // open for browsing afterwards. The page is written in its code page into a temporary file
    // (removed after the browser has closed) and stored in DirHtml under the name the user
    // gives; the pictures go to DirImage under their own names.
    static void UploadPage(QWidget* owner, TFtpConfig& config, const QString& html, int codePage);
    static void UploadPictures(QWidget* owner, TFtpConfig& config, const QStringList& pictures);

    // The project's settings, not owned; the folders set in this window are written back.
    void SetFtpConfig(TFtpConfig& config);
    void AddUploadFile(const QString& remoteDir, const QString& localFile,
                       const QString& remoteName);
    // Shows or hides the two folder-setting buttons; hidden ones stay unusable.
    void SetDirButtonsVisible(bool visible);

    // While the queue runs, closing stops it after the file being sent and closes then.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ConnectOnIdle();
    // The browsing commands. Their errors reach the standard error display (they are connected
    // through Guarded); the list stays as it was.
    void ListView1ColumnClick(int column);
    void ListView1DblClick();
    void ComboBoxDirChange(int index);
    void ActionDirMoveUpExecute();
    void ActionDirHtmlExecute();
    void ActionDirImageExecute();

    void CopyFoldersBack();
    void SelectCurrentFolder();
    void DisplayItems(const std::vector<TFtpItem>& items);
    void EndProgress();

    // TFtpSessionDialogue
    std::optional<QString> AskFileName(const QString& caption, const QString& prompt) override;
    TAnswer AskOverwrite(const QString& text) override;
    TAnswer AskContinueAfterError(const QString& text) override;
    TAnswer AskSetFolder(const QString& text) override;
    void WarnConnection(const QString& text) override;
    void Log(const QString& line) override;
    void ProcessEvents() override;
    void Progress(const QString& remoteName, qint64 sent, qint64 total) override;
    void ShowDirectory(const std::vector<TFtpItem>& items, const QString& path) override;
    void EnableCommands() override;

    std::unique_ptr<Ui::TFormFtpDir> ui;
    QLabel* FLabelProgress;
    QProgressBar* FProgressBar;
    TFtpSession FSession;
    TFtpConfig* FConfig = nullptr;
    bool FDirButtonsVisible = true;
    bool FConnectScheduled = false;
    bool FCloseRequested = false;
    QElapsedTimer FProgressClock;  // since the first chunk of the file being sent
};
