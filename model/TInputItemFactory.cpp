// Builds the item a project-file section describes.

#include "TInputBase.h"
#include "TInputComboBox.h"
#include "TInputDateTime.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TInputMemo.h"
#include "TMemIniFile.h"

namespace {
std::unique_ptr<TInputBase> NewItemOfKind(int32_t kind) {
    switch (kind) {
        case TInputBase::KindEdit:
            return std::make_unique<TInputEdit>();
        case TInputBase::KindMemo:
            return std::make_unique<TInputMemo>();
        case TInputBase::KindDateTime:
            return std::make_unique<TInputDateTime>();
        case TInputBase::KindComboBox:
            return std::make_unique<TInputComboBox>();
        case TInputBase::KindImage:
            return std::make_unique<TInputImage>();
        default:
            return nullptr;
    }
}
}  // namespace

std::unique_ptr<TInputBase> CreateInputItemFromIni(const TMemIniFile& ini, const QString& section) {
    std::unique_ptr<TInputBase> item =
        NewItemOfKind(ini.ReadInteger(section, QStringLiteral("InputType"), -1));
    if (item)
        item->LoadFromIni(ini, section);
    return item;
}
