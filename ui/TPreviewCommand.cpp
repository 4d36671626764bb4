#include "TPreviewCommand.h"

#include "TDialogRunner.h"
#include "TError.h"
#include "TMessageBox.h"
#include "TPageGeneration.h"
#include "TProject.h"
#include "TTempDir.h"
#include "UnitFormHtmlPreview.h"
#include "UnitFrameInputItemList.h"

namespace {

bool ChecksPass(QWidget* owner, int templateIndex, const TFrameInputItemList& pane) {
    if (templateIndex == -1) {
        TMessageBox::Warning(owner, QStringLiteral("テンプレートが選択されていません。"));
        return false;
    }
    try {
        pane.ValidateInputs();
    } catch (const TError& e) {
        TMessageBox::Warning(owner, e.Message());
        return false;
    }
    return true;
}

TGeneratedPage Generate(const THtmlTemplate& htmlTemplate, const TFrameInputItemList& pane,
                        const TTempDir& folder) {
    const TInputDataMap values = pane.CreateInputDataMap();
    return GeneratePage(htmlTemplate, values, folder.GetPath());
}

}  // namespace

void TPreviewCommand::Execute(QWidget* owner, int templateIndex, const TFrameInputItemList& pane,
                              TProject& project) {
    if (!ChecksPass(owner, templateIndex, pane))
        return;
    const THtmlTemplate& htmlTemplate = *project.GetHtmlTemplate(templateIndex);
    // Declared first, so it goes last: the pictures live as long as the window shows them.
    const TTempDir folder;
    const TGeneratedPage page = Generate(htmlTemplate, pane, folder);
    TFormHtmlPreview window(owner);
    window.SetHtml(page.Text, page.CodePage);
    window.SetImageFiles(page.Pictures);
    window.SetFtpConfig(project.FtpConfig);
    TDialogRunner::ShowModal(window);
}
