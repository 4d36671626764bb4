#include "UnitFrameDesignTemplates.h"

#include "TCursorHourGlass.h"
#include "TDialogRunner.h"
#include "TFormUtils.h"
#include "TProject.h"
#include "UnitFormTemplateEdit.h"
#include "ui_UnitFrameDesignTemplates.h"

TFrameDesignTemplates::TFrameDesignTemplates(QWidget* parent, TProjectSource project)
    : TFrameDesignList(parent, std::move(project)),
      FUi(std::make_unique<Ui::TFrameDesignTemplates>()) {
    FUi->setupUi(this);
    SetListView(FUi->ListViewTemplate, FUi->ActionTemplateUpdate);
    TFormUtils::BindCommands(this, {{FUi->BtnTemplateInsert, FUi->ActionTemplateInsert,
                                     [this] { ActionTemplateInsertExecute(); }},
                                    {FUi->BtnTemplateUpdate, FUi->ActionTemplateUpdate,
                                     [this] { ActionTemplateUpdateExecute(); }},
                                    {FUi->BtnTemplateDelete, FUi->ActionTemplateDelete,
                                     [this] { ActionTemplateDeleteExecute(); }},
                                    {FUi->BtnTemplateMoveUp, FUi->ActionTemplateMoveUp,
                                     [this] { ActionTemplateMoveUpExecute(); }},
                                    {FUi->BtnTemplateMoveDown, FUi->ActionTemplateMoveDown,
                                     [this] { ActionTemplateMoveDownExecute(); }}});
}

TFrameDesignTemplates::~TFrameDesignTemplates() = default;

void TFrameDesignTemplates::RefreshTemplateList() {
    QList<QStringList> rows;
    for (int i = 0; i < Project().HtmlTemplates.GetCount(); ++i)
        rows.append({Project().GetHtmlTemplate(i)->Name});
    TFormUtils::FillListView(FUi->ListViewTemplate, rows);
}

void TFrameDesignTemplates::ActionTemplateInsertExecute() {
    TFormTemplateEdit editor(window());
    if (TDialogRunner::ShowModal(editor) != QDialog::Accepted)
        return;
    TCursorHourGlass busy;
    Project().HtmlTemplates.Add(editor.CreateTemplate());
    RefreshTemplateList();
    SelectRow(Project().HtmlTemplates.GetCount() - 1);
}

void TFrameDesignTemplates::ActionTemplateUpdateExecute() {
    const int index = SelectedEntry();
    if (index < 0)
        return;
    TFormTemplateEdit editor(window());
    editor.LoadTemplate(*Project().GetHtmlTemplate(index));
    if (TDialogRunner::ShowModal(editor) != QDialog::Accepted)
        return;
    Project().ReplaceHtmlTemplate(index, editor.CreateTemplate());
    RefreshTemplateList();
    SelectRow(index);
}

TItemListBase& TFrameDesignTemplates::Entries() const {
    return Project().HtmlTemplates;
}
