#include "UnitFormInputItemMemo.h"

#include "THelpTopic.h"

TFormInputItemMemo::TFormInputItemMemo(QWidget* parent)
    : TFormInputItemText(parent, QStringLiteral("FormInputItemMemo"),
                         QStringLiteral("複数行入力欄"), THelpTopic::InputItemMemo,
                         {TFrameInputItemText::TPage::Convert, QStringLiteral("CheckBoxConvertBr"),
                          QStringLiteral("改行を<br />に変換する")}) {}
