#pragma once
// The input frame of a multi-line item: one multi-line box whose length the copy limits.

#include <memory>

#include "TFrameInputItem.h"

namespace Ui {
class TFrameInputMemo;
}

class TFrameInputMemo : public TFrameInputItem {
    Q_OBJECT

public:
    TFrameInputMemo(QObject* owner, const TInputBase& item);
    ~TFrameInputMemo() override;

    std::unique_ptr<TInputData> CreateInputData() override;
    void ApplyInputItem() override;

    // The box's whole text with CR LF between lines, as it goes into the page.
    QString Text() const;

private:
    // Takes back what was just typed or pasted beyond the limit, before the cursor.
    void LimitLength();

    std::unique_ptr<Ui::TFrameInputMemo> ui;
    int FMaxLength = 0;
};
