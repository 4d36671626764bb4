#include "UnitFrameDesignList.h"

#include <QAction>
#include <QTreeWidget>

#include "TFormUtils.h"
#include "TItemList.h"
#include "TMessageBox.h"

TFrameDesignList::TFrameDesignList(QWidget* parent, TProjectSource project)
    : QWidget(parent), FProject(std::move(project)) {}

void TFrameDesignList::SetListView(QTreeWidget* listView, QAction* update) {
    FListView = listView;
    TFormUtils::SetReportStyle(listView);
    connect(listView, &QTreeWidget::itemDoubleClicked, update, &QAction::trigger);
}

int TFrameDesignList::SelectedEntry() const {
    const int row = TFormUtils::SelectedRow(FListView);
    return row < Entries().GetCount() ? row : -1;
}

void TFrameDesignList::SelectRow(int row) {
    TFormUtils::SelectRow(FListView, row);
}

void TFrameDesignList::DeleteListEntry() {
    const int index = SelectedEntry();
    if (index < 0)
        return;
    if (TMessageBox::Confirm(window(), QStringLiteral("選択されている項目を削除します。\n"
                                                      "よろしいですか？")) !=
        TMessageBox::TAnswer::Yes)
        return;
    Entries().Delete(index);
    Refresh();
    TFormUtils::SelectRowNear(FListView, index);
}

void TFrameDesignList::MoveListEntry(bool up) {
    const int index = TFormUtils::SelectedRow(FListView);
    const bool moved = up ? Entries().MoveUp(index) : Entries().MoveDown(index);
    if (!moved)
        return;
    Refresh();
    SelectRow(up ? index - 1 : index + 1);
}
