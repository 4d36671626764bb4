#pragma once
// The definition dialog of a one-line text item.

#include "TInputEdit.h"
#include "UnitFormInputItemText.h"

class TFormInputItemEdit : public TFormInputItemText<TInputEdit, &TInputEdit::NumbersOnly> {
    Q_OBJECT

public:
    explicit TFormInputItemEdit(QWidget* parent = nullptr);
};
