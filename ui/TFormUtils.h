#pragma once
// Small helpers the windows share: list views fitted to their contents, repainting held back
// while a list is rebuilt, buttons that follow an action, decimal numbers read from a box.

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>

class QAbstractButton;
class QAbstractItemView;
class QAction;
class QLineEdit;
class QObject;
class QTreeWidget;
class QWidget;

class TFormUtils {
public:
    // Fits every column of a list (a tree or table view) to its header and its widest entry.
    static void AutoSizeColumns(QAbstractItemView* view);
    // Rebuilds a list view with one row of column texts per entry, under the busy cursor and
    // with repainting held back, then fits the columns. Nothing is selected afterwards.
    static void FillListView(QTreeWidget* listView, const QList<QStringList>& rows);
    // The index of the selected row, -1 when none is.
    static int SelectedRow(const QTreeWidget* listView);
    // Selects the row and keeps it in view.
    static void SelectRow(QTreeWidget* listView, int row);
    // After a delete: the row at the same index, the last row when the index is now past the
    // end, nothing when the list is empty.
    static void SelectRowNear(QTreeWidget* listView, int row);
    // The button shows the action's text, is enabled with it and triggers it when clicked.
    static void BindButton(QAbstractButton* button, QAction* action);
    // A command: its button, its action and the handler the action runs.
    struct TCommand {
        QAbstractButton* Button;
        QAction* Action;
        std::function<void()> Execute;
    };
    // Binds every button to its action and every action to its handler (run in `context`).
    static void BindCommands(QObject* context, std::initializer_list<TCommand> commands);
    // A list view with whole-row selection, no editing and no tree decoration.
    static void SetReportStyle(QTreeWidget* listView);
    // A number box: digits only, no input method.
    static void SetDigitsOnly(QLineEdit* box);
    // The text as a decimal 32-bit integer (blanks around it and a sign allowed), or nothing.
    static std::optional<int32_t> DecimalValue(const QString& text);

    // Holds back a widget's repainting for the length of a scope, resumed on every way out.
    class TUpdatesSuspended {
    public:
        explicit TUpdatesSuspended(QWidget* widget);
        ~TUpdatesSuspended();
        TUpdatesSuspended(const TUpdatesSuspended&) = delete;
        TUpdatesSuspended& operator=(const TUpdatesSuspended&) = delete;

    private:
        QWidget* FWidget;
    };
};
