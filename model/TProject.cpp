#include "TProject.h"

#include "TMemIniFile.h"

namespace {
const QString Ftp = QStringLiteral("FTP");
}

void TProject::SaveToFile(const QString& path) const {
    TMemIniFile ini(path);
    InputItems.SaveToIni(ini);
    HtmlTemplates.SaveToIni(ini);
    ini.WriteBool(Ftp, QStringLiteral("IsUse"), FtpConfig.IsUse);
    ini.WriteString(Ftp, QStringLiteral("Host"), FtpConfig.Host);
    ini.WriteString(Ftp, QStringLiteral("User"), FtpConfig.User);
    ini.WriteString(Ftp, QStringLiteral("Password"), FtpConfig.Password);
    ini.WriteString(Ftp, QStringLiteral("DirHtml"), FtpConfig.DirHtml);
    ini.WriteString(Ftp, QStringLiteral("DirImage"), FtpConfig.DirImage);
    ini.WriteInteger(Ftp, QStringLiteral("Port"), FtpConfig.Port);
    ini.WriteBool(Ftp, QStringLiteral("Passive"), FtpConfig.Passive);
    ini.UpdateFile();
}

void TProject::LoadFromFile(const QString& path) {
    const TMemIniFile ini(path);
    InputItems.LoadFromIni(ini);
    HtmlTemplates.LoadFromIni(ini);
    FtpConfig.IsUse = ini.ReadBool(Ftp, QStringLiteral("IsUse"), false);
    FtpConfig.Host = ini.ReadString(Ftp, QStringLiteral("Host"), QString());
    FtpConfig.User = ini.ReadString(Ftp, QStringLiteral("User"), QString());
    FtpConfig.Password = ini.ReadString(Ftp, QStringLiteral("Password"), QString());
    FtpConfig.DirHtml = ini.ReadString(Ftp, QStringLiteral("DirHtml"), QString());
    FtpConfig.DirImage = ini.ReadString(Ftp, QStringLiteral("DirImage"), QString());
    FtpConfig.Port = ini.ReadInteger(Ftp, QStringLiteral("Port"), 21);
    FtpConfig.Passive = ini.ReadBool(Ftp, QStringLiteral("Passive"), false);
}
