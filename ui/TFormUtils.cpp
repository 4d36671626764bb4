#include "TFormUtils.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QTreeView>
#include <QTreeWidget>

#include "TCursorHourGlass.h"
#include "TGuarded.h"

void TFormUtils::AutoSizeColumns(QAbstractItemView* view) {
    // Both views take the header's own width into account when fitting a column.
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
        for (int column = 0; column < tree->header()->count(); ++column)
            tree->resizeColumnToContents(column);
    } else if (auto* table = qobject_cast<QTableView*>(view)) {
        table->resizeColumnsToContents();
    }
}

void TFormUtils::FillListView(QTreeWidget* listView, const QList<QStringList>& rows) {
    TCursorHourGlass busy;
    {
        TUpdatesSuspended suspended(listView);
        listView->clear();
        for (const QStringList& texts : rows)
            listView->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    AutoSizeColumns(listView);
}

int TFormUtils::SelectedRow(const QTreeWidget* listView) {
    const QList<QTreeWidgetItem*> selected = listView->selectedItems();
    return selected.isEmpty() ? -1 : listView->indexOfTopLevelItem(selected.first());
}

void TFormUtils::SelectRow(QTreeWidget* listView, int row) {
    QTreeWidgetItem* item = listView->topLevelItem(row);
    listView->setCurrentItem(item);
    if (item)
        listView->scrollToItem(item);
}

void TFormUtils::SelectRowNear(QTreeWidget* listView, int row) {
    const int count = listView->topLevelItemCount();
    if (count > 0)
        SelectRow(listView, std::min(row, count - 1));
}

void TFormUtils::BindButton(QAbstractButton* button, QAction* action) {
    const auto follow = [button, action] {
        button->setText(action->text());
        button->setEnabled(action->isEnabled());
    };
    follow();
    QObject::connect(action, &QAction::changed, button, follow);
    QObject::connect(button, &QAbstractButton::clicked, action, [action] { action->trigger(); });
}

void TFormUtils::BindCommands(QObject* context, std::initializer_list<TCommand> commands) {
    for (const TCommand& command : commands) {
        BindButton(command.Button, command.Action);
        QObject::connect(command.Action, &QAction::triggered, context, Guarded(command.Execute));
    }
}

void TFormUtils::SetReportStyle(QTreeWidget* listView) {
    listView->setRootIsDecorated(false);
    listView->setItemsExpandable(false);
    listView->setSelectionMode(QAbstractItemView::SingleSelection);
    listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView->setAllColumnsShowFocus(true);
    listView->header()->setStretchLastSection(false);
    listView->header()->setSectionsMovable(false);
}

void TFormUtils::SetDigitsOnly(QLineEdit* box) {
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
}

std::optional<int32_t> TFormUtils::DecimalValue(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

TFormUtils::TUpdatesSuspended::TUpdatesSuspended(QWidget* widget) : FWidget(widget) {
    FWidget->setUpdatesEnabled(false);
}

TFormUtils::TUpdatesSuspended::~TUpdatesSuspended() {
    FWidget->setUpdatesEnabled(true);
}
