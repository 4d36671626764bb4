#pragma once
// The project's input items in form order, stored as sections "InputItem" and "InputItem" + i.

#include "TInputBase.h"
#include "TItemList.h"

class TMemIniFile;

class TInputItemList : public TItemList<TInputBase> {
public:
    void SaveToIni(TMemIniFile& ini) const;
    // Sections of unknown kind are skipped, so the list has no gaps.
    void LoadFromIni(const TMemIniFile& ini);
};
