#pragma once
// What the input-item and the template pages of the design tab share: a list view of one
// project list, change on double click, delete with its confirmation, and moving up and down
// with the selection following the entry.

#include <QWidget>
#include <functional>

class QAction;
class QTreeWidget;
class TItemListBase;
class TProject;

class TFrameDesignList : public QWidget {
    Q_OBJECT

public:
    // Gives the project open now: the owner replaces the project as a whole on New and Open.
    using TProjectSource = std::function<TProject&()>;

protected:
    TFrameDesignList(QWidget* parent, TProjectSource project);

    // Shows the list in `listView` as a report; double-clicking a row runs `update`.
    void SetListView(QTreeWidget* listView, QAction* update);
    TProject& Project() const { return FProject(); }
    // The selected row when it stands for an entry of the list, otherwise -1.
    int SelectedEntry() const;
    void SelectRow(int row);

    // Asks, deletes the selected entry and selects its neighbour.
    void DeleteListEntry();
    // The list's MoveUp or MoveDown with the selected row (-1 when none); only a move that
    // happened refreshes the view and selects the entry's new row.
    void MoveListEntry(bool up);

    // The project list this frame shows, and the rebuild of its view.
    virtual TItemListBase& Entries() const = 0;
    virtual void Refresh() = 0;

private:
    TProjectSource FProject;
    QTreeWidget* FListView = nullptr;
};
