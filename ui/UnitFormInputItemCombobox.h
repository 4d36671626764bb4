#pragma once
// The definition dialog of a pull-down item: a working list of choices that is added to,
// changed, deleted and reordered here and becomes the new definition's choices on OK.

#include <memory>
#include <optional>
#include <vector>

#include "TInputComboBox.h"
#include "UnitFormInputItemBase.h"

namespace Ui {
class TFormInputItemCombobox;
}

class TFormInputItemCombobox : public TFormInputItemOf<TInputComboBox> {
    Q_OBJECT

public:
    explicit TFormInputItemCombobox(QWidget* parent = nullptr);
    ~TFormInputItemCombobox() override;

public Q_SLOTS:
    void ActionItemInsertExecute();
    void ActionItemUpdateExecute();
    void ActionItemDeleteExecute();
    void ActionItemGoUpExecute();
    void ActionItemGoDownExecute();

protected:
    void LoadOptions(const TInputComboBox& item) override;
    void StoreOptions(TInputComboBox& item) const override;
    bool CheckOptions() override;

private:
    // Rebuilds the list view from the working list; change and delete are enabled exactly
    // when there is a row.
    void RefreshList();
    // The choice editor filled with `choice`; the edited pair on OK, nothing on Cancel.
    std::optional<TInputComboBoxItem> EditChoice(const TInputComboBoxItem& choice);
    void Swap(int first, int selectAfter);

    std::unique_ptr<Ui::TFormInputItemCombobox> FUi;
    std::vector<TInputComboBoxItem> ChoiceList;
};
