#include "TInputMemo.h"

#include "TMemIniFile.h"
#include "TStringUtility.h"

void TInputMemo::SaveToIni(TMemIniFile& ini, const QString& section) const {
    TInputBase::SaveToIni(ini, section);
    ini.WriteString(section, QStringLiteral("BlankValue"),
                    TStringUtility::EncodeUtf8Base64(BlankValue));
    ini.WriteBool(section, QStringLiteral("AllowHtmlTag"), AllowHtmlTag);
    ini.WriteInteger(section, QStringLiteral("MaxLength"), MaxLength);
    ini.WriteBool(section, QStringLiteral("Required"), Required);
    ini.WriteBool(section, QStringLiteral("ConvertBr"), ConvertBr);
}

void TInputMemo::LoadFromIni(const TMemIniFile& ini, const QString& section) {
    TInputBase::LoadFromIni(ini, section);
    BlankValue =
        TStringUtility::DecodeUtf8Base64(ini.ReadStringView(section, QStringLiteral("BlankValue")));
    AllowHtmlTag = ini.ReadBool(section, QStringLiteral("AllowHtmlTag"), false);
    MaxLength = ini.ReadInteger(section, QStringLiteral("MaxLength"), 0);
    Required = ini.ReadBool(section, QStringLiteral("Required"), false);
    ConvertBr = ini.ReadBool(section, QStringLiteral("ConvertBr"), false);
}
