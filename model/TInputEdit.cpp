#include "TInputEdit.h"

#include "TMemIniFile.h"

void TInputEdit::SaveToIni(TMemIniFile& ini, const QString& section) const {
    TInputBase::SaveToIni(ini, section);
    ini.WriteString(section, QStringLiteral("BlankValue"), BlankValue);
    ini.WriteBool(section, QStringLiteral("AllowHtmlTag"), AllowHtmlTag);
    ini.WriteInteger(section, QStringLiteral("MaxLength"), MaxLength);
    ini.WriteBool(section, QStringLiteral("Required"), Required);
    ini.WriteBool(section, QStringLiteral("NumbersOnly"), NumbersOnly);
}

void TInputEdit::LoadFromIni(const TMemIniFile& ini, const QString& section) {
    TInputBase::LoadFromIni(ini, section);
    BlankValue = ini.ReadString(section, QStringLiteral("BlankValue"), QString());
    AllowHtmlTag = ini.ReadBool(section, QStringLiteral("AllowHtmlTag"), false);
    MaxLength = ini.ReadInteger(section, QStringLiteral("MaxLength"), 0);
    Required = ini.ReadBool(section, QStringLiteral("Required"), false);
    NumbersOnly = ini.ReadBool(section, QStringLiteral("NumbersOnly"), false);
}
