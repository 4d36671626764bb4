// The busy cursor and the column fitting of list views.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidget>
#include <stdexcept>

#include "TCursorHourGlass.h"
#include "TFormUtils.h"

namespace {

Qt::CursorShape Shape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::ArrowCursor;
}

TEST(TCursorHourGlassTest, NestsAndRestoresInReverseOrderOnEveryWayOut) {
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    {
        const TCursorHourGlass outer;
        EXPECT_EQ(Shape(), Qt::WaitCursor);
        try {
            const TCursorHourGlass inner;
            QGuiApplication::setOverrideCursor(Qt::IBeamCursor);
            QGuiApplication::restoreOverrideCursor();
            throw std::runtime_error("leaves the scope");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(Shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(Shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(TFormUtilsTest, ColumnsFitTheirHeaderAndTheirWidestEntry) {
    const QString longEntry = QStringLiteral("ずっと長い項目名の入った行");
    QTreeWidget tree;
    tree.setHeaderLabels({QStringLiteral("入力形式"), QStringLiteral("項目名"),
                          QStringLiteral("とても長い見出しのタグ名")});
    new QTreeWidgetItem(&tree,
                        QStringList({QStringLiteral("画像"), longEntry, QStringLiteral("a")}));
    tree.header()->setStretchLastSection(false);
    for (int column = 0; column < 3; ++column)
        tree.setColumnWidth(column, 5);
    TFormUtils::AutoSizeColumns(&tree);
    const QFontMetrics metrics(tree.font());
    EXPECT_GE(tree.columnWidth(0), metrics.horizontalAdvance(QStringLiteral("入力形式")));
    EXPECT_GE(tree.columnWidth(1), metrics.horizontalAdvance(longEntry));
    EXPECT_GE(tree.columnWidth(2),
              metrics.horizontalAdvance(QStringLiteral("とても長い見出しのタグ名")));

    QTableWidget table(1, 1);
    table.setHorizontalHeaderLabels({QStringLiteral("表示名")});
    table.setItem(0, 0, new QTableWidgetItem(longEntry));
    table.setColumnWidth(0, 5);
    TFormUtils::AutoSizeColumns(&table);
    EXPECT_GE(table.columnWidth(0), metrics.horizontalAdvance(longEntry));
}

}  // namespace
