#include "TPublishCommand.h"

#include <QFileInfo>

#include "TAtomicFile.h"
#include "TCliError.h"
#include "TCliUploadDialogue.h"
#include "TCommandLine.h"
#include "TPageJob.h"
#include "TTempFile.h"
#include "TUploadQueue.h"

int RunPublish(const TCommandLine& line) {
    const TPageJob job(line);
    const TFtpConfig& ftp = job.Project().FtpConfig;
    // The page goes up from a temporary file, as from the preview window.
    const TTempFile pageFile(QStringLiteral(".html"));
    TAtomicFile::Write(pageFile.GetFileName(), job.PageBytes());

    TCliUploadDialogue dialogue(line.Overwrite, line.KeepGoing);
    TUploadQueue queue(dialogue);
    queue.SetLogin({ftp.Host, ftp.User, ftp.Password, static_cast<quint16>(ftp.Port & 0xFFFF)});
    queue.AddUploadFile(ftp.DirHtml, pageFile.GetFileName(), line.RemotePage);
    for (const QString& picture : job.Page().Pictures) {
        queue.AddUploadFile(ftp.DirImage, picture, QFileInfo(picture).fileName());
    }
    queue.ConnectOnIdle();
    return dialogue.SomethingNotStored() ? TCliError::Failure : 0;
}
