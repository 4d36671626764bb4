#include "TInputItemList.h"

#include <algorithm>

#include "TMemIniFile.h"

namespace {
const QString Section = QStringLiteral("InputItem");
}

void TInputItemList::SaveToIni(TMemIniFile& ini) const {
    ini.WriteInteger(Section, QStringLiteral("Count"), GetCount());
    for (int i = 0; i < GetCount(); ++i)
        Get(i)->SaveToIni(ini, Section + QString::number(i));
}

void TInputItemList::LoadFromIni(const TMemIniFile& ini) {
    Clear();
    const int32_t count = ini.ReadInteger(Section, QStringLiteral("Count"), 0);
    // Indexes past the last existing section can only give "no item"; skipping them keeps a
    // damaged count from making loading run for minutes.
    const int64_t bound = std::min<int64_t>(count, ini.HighestSectionIndex(Section) + 1);
    for (int64_t i = 0; i < bound; ++i) {
        if (auto item = CreateInputItemFromIni(ini, Section + QString::number(i))) {
            Add(std::move(item));
        }
    }
}
