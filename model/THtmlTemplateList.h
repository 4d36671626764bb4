#pragma once
// The project's templates in order, stored as sections "HtmlTemplate" and "HtmlTemplate_" + i
// with the HTML as Base64 of its UTF-8 bytes.

#include "THtmlTemplate.h"
#include "TItemList.h"

class TMemIniFile;

class THtmlTemplateList : public TItemList<THtmlTemplate> {
public:
    void SaveToIni(TMemIniFile& ini) const;
    // Templates with an empty name or empty HTML are skipped.
    void LoadFromIni(const TMemIniFile& ini);
};
