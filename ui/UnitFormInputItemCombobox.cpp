#include "UnitFormInputItemCombobox.h"

#include <utility>

#include <QAction>
#include <QTreeWidget>

#include "TDialogRunner.h"
#include "TFormUtils.h"
#include "THelpTopic.h"
#include "TMessageBox.h"
#include "UnitFormInputItemComboboxItem.h"
#include "ui_UnitFormInputItemCombobox.h"

TFormInputItemCombobox::TFormInputItemCombobox(QWidget* parent)
    : TFormInputItemOf(parent, QStringLiteral("FormInputItemCombobox"),
                       QStringLiteral("プルダウンメニュー"), THelpTopic::InputItemCombobox),
      FUi(std::make_unique<Ui::TFormInputItemCombobox>()) {
    auto* pages = new QTabWidget(this);
    FUi->setupUi(pages);
    TFormUtils::SetReportStyle(FUi->ListViewItems);
    TFormUtils::BindCommands(
        this, {{FUi->BtnItemInsert, FUi->ActionItemInsert, [this] { ActionItemInsertExecute(); }},
               {FUi->BtnItemUpdate, FUi->ActionItemUpdate, [this] { ActionItemUpdateExecute(); }},
               {FUi->BtnItemDelete, FUi->ActionItemDelete, [this] { ActionItemDeleteExecute(); }},
               {FUi->BtnItemGoUp, FUi->ActionItemGoUp, [this] { ActionItemGoUpExecute(); }},
               {FUi->BtnItemGoDown, FUi->ActionItemGoDown, [this] { ActionItemGoDownExecute(); }}});
    connect(FUi->ListViewItems, &QTreeWidget::itemDoubleClicked, FUi->ActionItemUpdate,
            &QAction::trigger);
    SetOptionPages(pages);
}

TFormInputItemCombobox::~TFormInputItemCombobox() = default;

void TFormInputItemCombobox::ActionItemInsertExecute() {
    const auto choice = EditChoice({});
    if (!choice)
        return;
    ChoiceList.push_back(*choice);
    RefreshList();
    TFormUtils::SelectRow(FUi->ListViewItems, static_cast<int>(ChoiceList.size()) - 1);
}

void TFormInputItemCombobox::ActionItemUpdateExecute() {
    const int row = TFormUtils::SelectedRow(FUi->ListViewItems);
    if (row < 0)
        return;
    const auto choice = EditChoice(ChoiceList[row]);
    if (!choice)
        return;
    ChoiceList[row] = *choice;
    RefreshList();
    TFormUtils::SelectRow(FUi->ListViewItems, row);
}

void TFormInputItemCombobox::ActionItemDeleteExecute() {
    const int row = TFormUtils::SelectedRow(FUi->ListViewItems);
    if (row < 0)
        return;
    if (TMessageBox::Confirm(this, QStringLiteral("選択されている選択肢を削除します。\n"
                                                  "よろしいですか？")) != TMessageBox::TAnswer::Yes)
        return;
    ChoiceList.erase(ChoiceList.begin() + row);
    RefreshList();
    TFormUtils::SelectRowNear(FUi->ListViewItems, row);
}

void TFormInputItemCombobox::ActionItemGoUpExecute() {
    const int row = TFormUtils::SelectedRow(FUi->ListViewItems);
    if (row >= 1)
        Swap(row - 1, row - 1);
}

void TFormInputItemCombobox::ActionItemGoDownExecute() {
    const int row = TFormUtils::SelectedRow(FUi->ListViewItems);
    if (row >= 0 && row < static_cast<int>(ChoiceList.size()) - 1)
        Swap(row, row + 1);
}

void TFormInputItemCombobox::LoadOptions(const TInputComboBox& item) {
    ChoiceList.clear();
    for (int n = 0; n < item.GetItems().GetCount(); ++n)
        ChoiceList.push_back(*item.GetItem(n));
    RefreshList();
}

void TFormInputItemCombobox::StoreOptions(TInputComboBox& item) const {
    for (const TInputComboBoxItem& choice : ChoiceList)
        item.AddItem(choice.Caption, choice.Value);
}

bool TFormInputItemCombobox::CheckOptions() {
    if (FUi->ListViewItems->topLevelItemCount() == 0)
        return Refuse(FUi->ListViewItems, QStringLiteral("選択肢が設定されていません。"));
    return true;
}

void TFormInputItemCombobox::RefreshList() {
    QList<QStringList> rows;
    for (const TInputComboBoxItem& choice : ChoiceList)
        rows.append({choice.Caption, choice.Value});
    TFormUtils::FillListView(FUi->ListViewItems, rows);
    FUi->ActionItemUpdate->setEnabled(!ChoiceList.empty());
    FUi->ActionItemDelete->setEnabled(!ChoiceList.empty());
}

std::optional<TInputComboBoxItem> TFormInputItemCombobox::EditChoice(
    const TInputComboBoxItem& choice) {
    TFormInputItemComboboxItem editor(this);
    editor.LoadChoice(choice);
    if (TDialogRunner::ShowModal(editor) != QDialog::Accepted)
        return std::nullopt;
    return editor.CreateChoice();
}

void TFormInputItemCombobox::Swap(int first, int selectAfter) {
    std::swap(ChoiceList[first], ChoiceList[first + 1]);
    RefreshList();
    TFormUtils::SelectRow(FUi->ListViewItems, selectAfter);
}
