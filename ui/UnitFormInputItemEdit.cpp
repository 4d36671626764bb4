#include "UnitFormInputItemEdit.h"

#include "THelpTopic.h"

TFormInputItemEdit::TFormInputItemEdit(QWidget* parent)
    : TFormInputItemText(parent, QStringLiteral("FormInputItemEdit"), QStringLiteral("一行入力欄"),
                         THelpTopic::InputItemEdit,
                         {TFrameInputItemText::TPage::Check, QStringLiteral("CheckBoxNumbersOnly"),
                          QStringLiteral("入力に数字のみを許可する")}) {}
