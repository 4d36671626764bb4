#include "TFormUtils.h"

#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

void TFormUtils::AutoSizeColumns(QAbstractItemView* view) {
    // Both views take the header's own width into account when fitting a column.
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
        for (int column = 0; column < tree->header()->count(); ++column)
            tree->resizeColumnToContents(column);
    } else if (auto* table = qobject_cast<QTableView*>(view)) {
        table->resizeColumnsToContents();
    }
}
