#include "TInputItemDialogs.h"

#include "UnitFormInputItemCombobox.h"
#include "UnitFormInputItemDate.h"
#include "UnitFormInputItemEdit.h"
#include "UnitFormInputItemImage.h"
#include "UnitFormInputItemMemo.h"

std::unique_ptr<TFormInputItemBase> TInputItemDialogs::Create(int32_t inputType, QWidget* parent) {
    switch (inputType) {
        case TInputBase::KindEdit:
            return std::make_unique<TFormInputItemEdit>(parent);
        case TInputBase::KindMemo:
            return std::make_unique<TFormInputItemMemo>(parent);
        case TInputBase::KindDateTime:
            return std::make_unique<TFormInputItemDate>(parent);
        case TInputBase::KindComboBox:
            return std::make_unique<TFormInputItemCombobox>(parent);
        case TInputBase::KindImage:
            return std::make_unique<TFormInputItemImage>(parent);
        default:
            return nullptr;
    }
}
