#pragma once
// The input frame of a date/time item: a date or time picker, or both side by side, laid out
// by the copy's kind, with the "設定" button just right of the last one shown.

#include <memory>

#include "TFrameInputItem.h"

namespace Ui {
class TFrameInputDateTime;
}

class TFrameInputDateTime : public TFrameInputItem {
    Q_OBJECT

public:
    TFrameInputDateTime(QObject* owner, const TInputBase& item);
    ~TFrameInputDateTime() override;

    std::unique_ptr<TInputData> CreateInputData() override;
    // Lays the pickers out by the kind and resets them: today at 00:00, and 00:00:00.000.
    void ApplyInputItem() override;

private:
    std::unique_ptr<Ui::TFrameInputDateTime> ui;
};
