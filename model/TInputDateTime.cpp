#include "TInputDateTime.h"

#include "TMemIniFile.h"

void TInputDateTime::SaveToIni(TMemIniFile& ini, const QString& section) const {
    TInputBase::SaveToIni(ini, section);
    ini.WriteString(section, QStringLiteral("Format"), Format);
    ini.WriteInteger(section, QStringLiteral("Kind"), FKind);
}

void TInputDateTime::LoadFromIni(const TMemIniFile& ini, const QString& section) {
    TInputBase::LoadFromIni(ini, section);
    Format = ini.ReadString(section, QStringLiteral("Format"), QString());
    SetKind(ini.ReadInteger(section, QStringLiteral("Kind"), FKind));
}
