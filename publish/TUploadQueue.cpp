#include "TUploadQueue.h"

#include "TError.h"

#include <QFileInfo>
#include <QScopeGuard>

TUploadQueue::TUploadQueue(TUploadDialogue& dialogue, int timeoutMs)
    : FDialogue(dialogue), FClient(timeoutMs) {
    FClient.SetStatusHandler([this](const QString& text) { FDialogue.Log(text); });
}

void TUploadQueue::AddUploadFile(const QString& remoteDir, const QString& localFile,
                                 const QString& remoteName) {
    FQueue.push_back({remoteDir, localFile, remoteName});
}

void TUploadQueue::ConnectOnIdle() {
    try {
        FClient.Connect(FLogin);
    } catch (const TError& e) {
        FDialogue.WarnConnection(QStringLiteral("接続できませんでした。\n") + e.Message());
        return;
    }
    FDialogue.EnableCommands();
    if (!FQueue.empty())
        UploadFiles();
    ShowDirectory();
}

void TUploadQueue::UploadFiles() {
    FRunning = true;
    const auto done = qScopeGuard([this] {
        FRunning = false;
        FQueue.clear();  // what a stop leaves behind is dropped, never sent later
    });
    while (!FQueue.empty()) {
        FDialogue.ProcessEvents();
        const TUploadFile file = FQueue.front();
        FQueue.pop_front();
        if (!UploadFile(file))
            break;
    }
}

bool TUploadQueue::UploadFile(const TUploadFile& file) {
    try {
        FClient.Cwd(file.RemoteDir);
        FDialogue.ProcessEvents();
        ShowDirectory();
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
                case TUploadDialogue::TAnswer::Yes:
                    break;
                case TUploadDialogue::TAnswer::No:
                    return true;
                case TUploadDialogue::TAnswer::Cancel:
                    return false;
            }
        }
        FClient.Store(file.LocalFile, name);
        FDialogue.Log(name + QStringLiteral("をアップロードしました。"));
        return true;
    } catch (const TError& e) {
        return FDialogue.AskContinueAfterError(
                   QStringLiteral("エラーが発生しました。\n") + e.Message() +
                   QStringLiteral("\n処理を続行しますか？")) == TUploadDialogue::TAnswer::Yes;
    }
}

void TUploadQueue::ShowDirectory() {
    std::vector<TFtpItem> items = MakeFtpItems(FClient.List());
    const QString path = FClient.Pwd();
    SortFtpItems(items, FSortKey);
    FItems = std::move(items);
    FDialogue.ShowDirectory(FItems, path);
}

void TUploadQueue::SetSortKey(int sortKey) {
    FSortKey = sortKey;
    SortFtpItems(FItems, FSortKey);
}
