#include "TInputComboBox.h"

#include <algorithm>

#include "TMemIniFile.h"

TInputComboBox::TInputComboBox(const TInputComboBox& other) : TInputBase(other) {
    for (int i = 0; i < other.FItems.GetCount(); ++i) {
        FItems.Add(std::make_unique<TInputComboBoxItem>(*other.FItems.Get(i)));
    }
}

void TInputComboBox::SaveToIni(TMemIniFile& ini, const QString& section) const {
    TInputBase::SaveToIni(ini, section);
    const int count = FItems.GetCount();
    ini.WriteString(section, QStringLiteral("ItemCount"), QString::number(unsigned(count)));
    for (int n = 0; n < count; ++n) {
        const TInputComboBoxItem& item = *FItems.Get(n);
        ini.WriteString(section, QStringLiteral("ItemCaption_%1").arg(n), item.Caption);
        ini.WriteString(section, QStringLiteral("ItemValue_%1").arg(n), item.Value);
    }
}

void TInputComboBox::LoadFromIni(const TMemIniFile& ini, const QString& section) {
    FItems.Clear();
    TInputBase::LoadFromIni(ini, section);
    const int32_t count = ini.ReadInteger(section, QStringLiteral("ItemCount"), 0);
    const int64_t lastKey = std::max(ini.HighestKeyIndex(section, QStringLiteral("ItemCaption_")),
                                     ini.HighestKeyIndex(section, QStringLiteral("ItemValue_")));
    const int64_t bound = std::max<int64_t>(lastKey + 1, MaxChoicesWithoutKeys);
    for (int64_t n = 0; n < std::min<int64_t>(count, bound); ++n) {
        AddItem(ini.ReadString(section, QStringLiteral("ItemCaption_%1").arg(n), QString()),
                ini.ReadString(section, QStringLiteral("ItemValue_%1").arg(n), QString()));
    }
}
