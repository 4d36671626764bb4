#include "UnitFrameDesignInputItems.h"

#include <QMenu>

#include "TDialogRunner.h"
#include "TFormUtils.h"
#include "TGuarded.h"
#include "TInputItemDialogs.h"
#include "TMessageBox.h"
#include "TProject.h"
#include "UnitFormInputItemBase.h"
#include "ui_UnitFrameDesignInputItems.h"

TFrameDesignInputItems::TFrameDesignInputItems(QWidget* parent, TProjectSource project)
    : TFrameDesignList(parent, std::move(project)),
      FUi(std::make_unique<Ui::TFrameDesignInputItems>()),
      PopupMenuInput(new QMenu(this)) {
    FUi->setupUi(this);
    SetListView(FUi->ListViewInput, FUi->ActionInputUpdate);
    TFormUtils::BindCommands(
        this,
        {{FUi->BtnInputInsert, FUi->ActionInputInsert, [this] { ActionInputInsertExecute(); }},
         {FUi->BtnInputUpdate, FUi->ActionInputUpdate, [this] { ActionInputUpdateExecute(); }},
         {FUi->BtnInputDelete, FUi->ActionInputDelete, [this] { ActionInputDeleteExecute(); }},
         {FUi->BtnInputItemMoveUp, FUi->ActionInputItemMoveUp,
          [this] { ActionInputItemMoveUpExecute(); }},
         {FUi->BtnInputItemMoveDown, FUi->ActionInputItemMoveDown,
          [this] { ActionInputItemMoveDownExecute(); }}});

    PopupMenuInput->setObjectName(QStringLiteral("PopupMenuInput"));
    const std::pair<QAction*, int32_t> kinds[] = {
        {FUi->ActionInputInsertEdit, TInputBase::KindEdit},
        {FUi->ActionInputInsertMemo, TInputBase::KindMemo},
        {FUi->ActionInputInsertDate, TInputBase::KindDateTime},
        {FUi->ActionInputInsertComboBox, TInputBase::KindComboBox},
        {FUi->ActionInputInsertImage, TInputBase::KindImage}};
    for (const auto& [action, kind] : kinds) {
        PopupMenuInput->addAction(action);
        connect(action, &QAction::triggered, this,
                Guarded([this, kind] { InsertInputItem(kind); }));
    }
}

TFrameDesignInputItems::~TFrameDesignInputItems() = default;

void TFrameDesignInputItems::RefreshInputList() {
    QList<QStringList> rows;
    for (int i = 0; i < Project().InputItems.GetCount(); ++i) {
        const TInputBase& item = *Project().GetInputItem(i);
        rows.append({GetInputTypeName(item), item.GetCaption(), item.GetName()});
    }
    TFormUtils::FillListView(FUi->ListViewInput, rows);
}

void TFrameDesignInputItems::ActionInputInsertExecute() {
    const QPushButton* button = FUi->BtnInputInsert;
    PopupMenuInput->popup(button->mapToGlobal(QPoint(button->width() / 2, button->height() / 2)));
}

void TFrameDesignInputItems::ActionInputUpdateExecute() {
    const int index = SelectedEntry();
    if (index < 0)
        return;
    const TInputBase& item = *Project().GetInputItem(index);
    const auto dialog = TInputItemDialogs::Create(item.GetInputType(), window());
    if (!dialog) {
        TMessageBox::Error(window(), QStringLiteral("バグです"));
        return;
    }
    dialog->LoadInputItem(item);
    if (TDialogRunner::ShowModal(*dialog) != QDialog::Accepted)
        return;
    Project().ReplaceInputItem(index, dialog->CreateInputItem());
    RefreshInputList();
    SelectRow(index);
}

TItemListBase& TFrameDesignInputItems::Entries() const {
    return Project().InputItems;
}

void TFrameDesignInputItems::InsertInputItem(int32_t inputType) {
    const auto dialog = TInputItemDialogs::Create(inputType, window());
    if (TDialogRunner::ShowModal(*dialog) != QDialog::Accepted)
        return;
    Project().InputItems.Add(dialog->CreateInputItem());
    RefreshInputList();
    SelectRow(Project().InputItems.GetCount() - 1);
}
