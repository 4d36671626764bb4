#pragma once
// The design tab's input-item page: the project's items with their kind, caption and tag
// name, added through the pop-up menu of the five kinds and changed, deleted and moved here.

#include <memory>

#include "UnitFrameDesignList.h"

namespace Ui {
class TFrameDesignInputItems;
}
class QMenu;

class TFrameDesignInputItems : public TFrameDesignList {
    Q_OBJECT

public:
    TFrameDesignInputItems(QWidget* parent, TProjectSource project);
    ~TFrameDesignInputItems() override;

    void RefreshInputList();

public Q_SLOTS:
    // Opens the menu of kinds with its corner at the centre of "追加(&I)".
    void ActionInputInsertExecute();
    void ActionInputUpdateExecute();
    void ActionInputDeleteExecute() { DeleteListEntry(); }
    void ActionInputItemMoveUpExecute() { MoveListEntry(true); }
    void ActionInputItemMoveDownExecute() { MoveListEntry(false); }

protected:
    TItemListBase& Entries() const override;
    void Refresh() override { RefreshInputList(); }

private:
    // The kind's dialog with empty controls; on OK its item is appended and selected.
    void InsertInputItem(int32_t inputType);

    std::unique_ptr<Ui::TFrameDesignInputItems> FUi;
    QMenu* PopupMenuInput;
};
