#include "TFtpSession.h"

#include "TError.h"
#include "TFtpDirHistory.h"

#include <QFileInfo>

// Marks the session busy for one command or the whole queue.
class TFtpSession::TBusy {
public:
    explicit TBusy(bool& busy) : FBusy(busy) { FBusy = true; }
    ~TBusy() { FBusy = false; }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;

private:
    bool& FBusy;
};

TFtpSession::TFtpSession(TFtpSessionDialogue& dialogue, int timeoutMs)
    : FDialogue(dialogue), FClient(timeoutMs) {
    FClient.SetStatusHandler([this](const QString& text) { FDialogue.Log(text); });
    FClient.SetProgressHandler(
        [this](qint64 sent, qint64 total) { FDialogue.Progress(FStoring, sent, total); });
}

void TFtpSession::SetFtpConfig(const TFtpConfig& config) {
    FConfig = config;
}

void TFtpSession::AddUploadFile(const QString& remoteDir, const QString& localFile,
                                const QString& remoteName) {
    FQueue.push_back({remoteDir, localFile, remoteName});
}

void TFtpSession::ConnectOnIdle() {
    if (FConnected || FBusy)
        return;
    {
        const TBusy busy(FBusy);
        try {
            FClient.Connect({FConfig.Host, FConfig.User, FConfig.Password,
                             static_cast<quint16>(FConfig.Port & 0xFFFF), FConfig.Passive});
        } catch (const TError& e) {
            FDialogue.WarnConnection(QStringLiteral("接続できませんでした。\n") + e.Message());
            return;
        }
        FConnected = true;
        FDialogue.EnableCommands();
        if (!FQueue.empty())
            UploadFiles();
        ListCurrentFolder();
    }
}

void TFtpSession::UploadFiles() {
    while (!FQueue.empty()) {
        FDialogue.ProcessEvents();
        if (FStopRequested)
            break;
        const TUploadFile file = FQueue.front();
        FQueue.pop_front();
        if (!UploadFile(file))
            break;
    }
    FQueue.clear();  // what a stop leaves behind is dropped, never sent later
}

bool TFtpSession::UploadFile(const TUploadFile& file) {
    try {
        FClient.Cwd(file.RemoteDir);
        FDialogue.ProcessEvents();
        ListCurrentFolder();
        FDialogue.ProcessEvents();
        QString name = file.RemoteName;
        if (name.isEmpty()) {
            const std::optional<QString> entered = FDialogue.AskFileName(
                QStringLiteral("ファイル名"), QStringLiteral("ファイル名を入力してください。"));
            if (!entered)
                return true;
            name = *entered;
        }
        // An empty name stores under the local file's own name; the overwrite question and
        // the log line must name that file, or it would be replaced unasked.
        if (name.isEmpty())
            name = QFileInfo(file.LocalFile).fileName();
        FDialogue.ProcessEvents();
        if (FtpItemExists(FItems, name, false)) {
            switch (FDialogue.AskOverwrite(
                name + QStringLiteral("は既に存在します。\n上書きしますか？"))) {
                case TFtpSessionDialogue::TAnswer::Yes:
                    break;
                case TFtpSessionDialogue::TAnswer::No:
                    return true;
                case TFtpSessionDialogue::TAnswer::Cancel:
                    return false;
            }
        }
        FStoring = name;
        FClient.Store(file.LocalFile, name);
        FDialogue.Log(name + QStringLiteral("をアップロードしました。"));
        return true;
    } catch (const TError& e) {
        return FDialogue.AskContinueAfterError(
                   QStringLiteral("エラーが発生しました。\n") + e.Message() +
                   QStringLiteral("\n処理を続行しますか？")) == TFtpSessionDialogue::TAnswer::Yes;
    }
}

// The listing is replaced only once both requests have succeeded.
void TFtpSession::ListCurrentFolder() {
    std::vector<TFtpItem> items = MakeFtpItems(FClient.List());
    const QString path = FClient.Pwd();
    SortFtpItems(items, FSortKey);
    FItems = std::move(items);
    FCurrentFolder = path;
    TFtpDirHistory::Add(FHistory, path);
    FDialogue.ShowDirectory(FItems, FCurrentFolder);
}

void TFtpSession::ShowDirectory() {
    if (!CanBrowse())
        return;
    const TBusy busy(FBusy);
    ListCurrentFolder();
}

void TFtpSession::MoveUp() {
    if (!CanBrowse())
        return;
    const TBusy busy(FBusy);
    FClient.Cdup();
    ListCurrentFolder();
}

void TFtpSession::EnterFolder(qsizetype index) {
    if (!CanBrowse() || index < 0 || index >= qsizetype(FItems.size()) || !FItems[index].IsDir)
        return;
    const TBusy busy(FBusy);
    FClient.Cwd(FItems[index].FileName);
    ListCurrentFolder();
}

void TFtpSession::ChooseHistory(qsizetype index) {
    if (!CanBrowse() || index < 0 || index >= FHistory.size())
        return;
    const TBusy busy(FBusy);
    const QString chosen = FHistory[index];
    if (chosen == FClient.Pwd())
        return;
    FClient.Cwd(chosen);
    ListCurrentFolder();
}

void TFtpSession::SetHtmlFolder() {
    SetFolder(&TFtpConfig::DirHtml, QStringLiteral("をHTMLフォルダに設定します。よろしいですか？"));
}

void TFtpSession::SetImageFolder() {
    SetFolder(&TFtpConfig::DirImage,
              QStringLiteral("を画像フォルダに設定します。よろしいですか？"));
}

void TFtpSession::SetFolder(QString TFtpConfig::*field, const QString& question) {
    if (!CanBrowse())
        return;
    const TBusy busy(FBusy);
    const QString path = FClient.Pwd();
    if (FDialogue.AskSetFolder(path + question) == TFtpSessionDialogue::TAnswer::Yes)
        FConfig.*field = path;
}

void TFtpSession::SetSortKey(int sortKey) {
    FSortKey = sortKey;
    SortFtpItems(FItems, FSortKey);
    FDialogue.ShowDirectory(FItems, FCurrentFolder);
}
