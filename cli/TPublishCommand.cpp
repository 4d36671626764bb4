#include "TPublishCommand.h"

#include <QFileInfo>

#include "TAtomicFile.h"
#include "TCliError.h"
#include "TCliSessionDialogue.h"
#include "TCommandLine.h"
#include "TFtpSession.h"
#include "TPageJob.h"
#include "TTempFile.h"

int RunPublish(const TCommandLine& line) {
    const TPageJob job(line);
    const TFtpConfig& ftp = job.Project().FtpConfig;
    // The page goes up from a temporary file, as from the preview window.
    const TTempFile pageFile(QStringLiteral(".html"));
    TAtomicFile::Write(pageFile.GetFileName(), job.PageBytes());

    TCliSessionDialogue dialogue(line.Overwrite, line.KeepGoing);
    TFtpSession session(dialogue);
    session.SetFtpConfig(ftp);
    session.AddUploadFile(ftp.DirHtml, pageFile.GetFileName(), line.RemotePage);
    for (const QString& picture : job.Page().Pictures) {
        session.AddUploadFile(ftp.DirImage, picture, QFileInfo(picture).fileName());
    }
    session.ConnectOnIdle();
    return dialogue.SomethingNotStored() ? TCliError::Failure : 0;
}
