// The input tab of the main window: the input pane, its rebuilding with the template list on
// every entry into the tab, and the preview command.

#include "TPreviewCommand.h"
#include "TProject.h"
#include "UnitFormMain.h"
#include "UnitFrameInputItemList.h"
#include "ui_UnitFormMain.h"

void TFormMain::CreateInputPane() {
    FInputPane = new TFrameInputItemList(this);
    // Above the spacer, so the pane keeps to the top of the scrolling box.
    ui->LayoutInputPane->insertWidget(0, FInputPane);
}

void TFormMain::BuildInputPane() {
    FInputPane->BuildFrames(FProject->InputItems);
    ui->ComboBoxPreviewTemplate->clear();
    for (int i = 0; i < FProject->HtmlTemplates.GetCount(); ++i)
        ui->ComboBoxPreviewTemplate->addItem(FProject->GetHtmlTemplate(i)->Name);
    ui->ComboBoxPreviewTemplate->setCurrentIndex(ui->ComboBoxPreviewTemplate->count() > 0 ? 0 : -1);
}

void TFormMain::ActionInputPreviewHtmlExecute() {
    TPreviewCommand::Execute(this, ui->ComboBoxPreviewTemplate->currentIndex(), *FInputPane,
                             *FProject);
}
