// The design tabs: their pages are frames of their own, placed into the nested page control;
// the window's hooks hand the work to them.

#include "UnitFormMain.h"
#include "UnitFrameDesignInputItems.h"
#include "UnitFrameDesignOutput.h"
#include "UnitFrameDesignTemplates.h"
#include "ui_UnitFormMain.h"

void TFormMain::CreateDesignTabs() {
    const auto project = [this]() -> TProject& { return Project(); };
    FDesignInputItems = new TFrameDesignInputItems(ui->TabSheetInputItems, project);
    ui->LayoutInputItems->addWidget(FDesignInputItems);
    FDesignTemplates = new TFrameDesignTemplates(ui->TabSheetTemplates, project);
    ui->LayoutTemplates->addWidget(FDesignTemplates);
    FDesignOutput = new TFrameDesignOutput(ui->TabSheetOutput, project);
    ui->LayoutOutput->addWidget(FDesignOutput);
}

void TFormMain::RefreshInputList() {
    FDesignInputItems->RefreshInputList();
}

void TFormMain::RefreshTemplateList() {
    FDesignTemplates->RefreshTemplateList();
}

void TFormMain::LoadFtpControls() {
    FDesignOutput->LoadFtpControls();
}

void TFormMain::StoreFtpControls() {
    FDesignOutput->StoreFtpControls();
}
