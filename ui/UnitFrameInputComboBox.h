#pragma once
// The input frame of a pull-down item: a selection-only list of the copy's choice captions.

#include <memory>

#include "TFrameInputItem.h"

namespace Ui {
class TFrameInputComboBox;
}

class TFrameInputComboBox : public TFrameInputItem {
    Q_OBJECT

public:
    TFrameInputComboBox(QObject* owner, const TInputBase& item);
    ~TFrameInputComboBox() override;

    // The selected index, -1 when nothing is selected.
    std::unique_ptr<TInputData> CreateInputData() override;
    // Refills the list from the copy's choices and selects the first.
    void ApplyInputItem() override;

private:
    std::unique_ptr<Ui::TFrameInputComboBox> ui;
};
