#pragma once
// The design tab's template page: the project's templates by name, added, changed, deleted
// and moved through the template editor.

#include <memory>

#include "UnitFrameDesignList.h"

namespace Ui {
class TFrameDesignTemplates;
}

class TFrameDesignTemplates : public TFrameDesignList {
    Q_OBJECT

public:
    TFrameDesignTemplates(QWidget* parent, TProjectSource project);
    ~TFrameDesignTemplates() override;

    void RefreshTemplateList();

public Q_SLOTS:
    void ActionTemplateInsertExecute();
    void ActionTemplateUpdateExecute();
    void ActionTemplateDeleteExecute() { DeleteListEntry(); }
    void ActionTemplateMoveUpExecute() { MoveListEntry(true); }
    void ActionTemplateMoveDownExecute() { MoveListEntry(false); }

protected:
    TItemListBase& Entries() const override;
    void Refresh() override { RefreshTemplateList(); }

private:
    std::unique_ptr<Ui::TFrameDesignTemplates> FUi;
};
