#include "TInputImage.h"

#include "TMemIniFile.h"

void TInputImage::SaveToIni(TMemIniFile& ini, const QString& section) const {
    TInputBase::SaveToIni(ini, section);
    ini.WriteInteger(section, QStringLiteral("MaxImageWidth"), MaxImageWidth);
    ini.WriteInteger(section, QStringLiteral("MaxImageHeight"), MaxImageHeight);
    ini.WriteBool(section, QStringLiteral("ZoomOutImage"), ZoomOutImage);
}

void TInputImage::LoadFromIni(const TMemIniFile& ini, const QString& section) {
    TInputBase::LoadFromIni(ini, section);
    MaxImageWidth = ini.ReadInteger(section, QStringLiteral("MaxImageWidth"), 100);
    MaxImageHeight = ini.ReadInteger(section, QStringLiteral("MaxImageHeight"), 100);
    ZoomOutImage = ini.ReadBool(section, QStringLiteral("ZoomOutImage"), false);
}
