#pragma once
// The definition dialog of a multi-line text item.

#include "TInputMemo.h"
#include "UnitFormInputItemText.h"

class TFormInputItemMemo : public TFormInputItemText<TInputMemo, &TInputMemo::ConvertBr> {
    Q_OBJECT

public:
    explicit TFormInputItemMemo(QWidget* parent = nullptr);
};
