#pragma once
// The input frame of a one-line item: one edit box with the copy's length limit and, when
// asked, digits-only typing.

#include <memory>

#include "TFrameInputItem.h"

class QValidator;
namespace Ui {
class TFrameInputEdit;
}

class TFrameInputEdit : public TFrameInputItem {
    Q_OBJECT

public:
    TFrameInputEdit(QObject* owner, const TInputBase& item);
    ~TFrameInputEdit() override;

    std::unique_ptr<TInputData> CreateInputData() override;
    void ApplyInputItem() override;

private:
    std::unique_ptr<Ui::TFrameInputEdit> ui;
    QValidator* FDigitsOnly = nullptr;
};
