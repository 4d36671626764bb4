#include "TConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include "TError.h"
#include "TMemIniFile.h"
#include "TSpecialFolder.h"

namespace {

const QString SectionHistory = QStringLiteral("HISTORY");
const QString SectionWindow = QStringLiteral("WINDOW");
const QString SectionOpenProject = QStringLiteral("OPENPROJECT");

QString ExecutablePath() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

}  // namespace

qsizetype TConfig::THistoryList::IndexOf(const QString& path) const {
    for (qsizetype i = 0; i < FPaths.size(); ++i) {
        if (FPaths[i].compare(path, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TConfig::THistoryList::Add(const QString& path) {
    const qsizetype existing = IndexOf(path);
    if (existing >= 0)
        FPaths.removeAt(existing);
    FPaths.prepend(path);
    while (FPaths.size() > MaxCount)
        FPaths.removeLast();
}

void TConfig::THistoryList::AddStrings(const QStringList& paths) {
    for (const QString& path : paths) {
        if (IndexOf(path) < 0)
            FPaths.append(path);
    }
}

QString TConfig::GetFileName() const {
    QString folder = TSpecialFolder::GetSpecialFolderPath(TSpecialFolder::AppData);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + QStringLiteral("RavuVededuze/") +
           QFileInfo(ExecutablePath()).completeBaseName() + QStringLiteral(".INI");
}

void TConfig::SaveToIni(TMemIniFile& ini) const {
    ini.WriteInteger(SectionHistory, QStringLiteral("Count"), History->GetCount());
    for (int i = 0; i < History->GetCount(); ++i) {
        ini.WriteString(SectionHistory, QString::number(i), History->Get(i));
    }
    ini.WriteBool(SectionWindow, QStringLiteral("IsSaveWindowState"), IsSaveWindowState);
    if (IsSaveWindowState) {
        ini.WriteInteger(SectionWindow, QStringLiteral("X"), X);
        ini.WriteInteger(SectionWindow, QStringLiteral("Y"), Y);
        ini.WriteInteger(SectionWindow, QStringLiteral("Width"), Width);
        ini.WriteInteger(SectionWindow, QStringLiteral("Height"), Height);
    }
    ini.WriteBool(SectionOpenProject, QStringLiteral("IsOpenLastProject"), IsOpenLastProject);
}

void TConfig::LoadFromIni(const TMemIniFile& ini) {
    History->Clear();
    const int32_t count = ini.ReadInteger(SectionHistory, QStringLiteral("Count"), 0);
    // Keys past the last one present can only be empty.
    const int64_t bound =
        std::min<int64_t>(count, ini.HighestKeyIndex(SectionHistory, QString()) + 1);
    QStringList paths;
    for (int64_t i = 0; i < bound; ++i) {
        const QString path = ini.ReadString(SectionHistory, QString::number(i), QString());
        if (!path.isEmpty())
            paths.append(path);
    }
    History->AddStrings(paths);
    IsSaveWindowState = ini.ReadBool(SectionWindow, QStringLiteral("IsSaveWindowState"), false);
    if (IsSaveWindowState) {
        X = ini.ReadInteger(SectionWindow, QStringLiteral("X"), 0);
        Y = ini.ReadInteger(SectionWindow, QStringLiteral("Y"), 0);
        Width = ini.ReadInteger(SectionWindow, QStringLiteral("Width"), 0);
        Height = ini.ReadInteger(SectionWindow, QStringLiteral("Height"), 0);
    }
    IsOpenLastProject =
        ini.ReadBool(SectionOpenProject, QStringLiteral("IsOpenLastProject"), false);
}

void TConfig::Load() {
    try {
        LoadFromIni(TMemIniFile(GetFileName()));
    } catch (const TError&) {
        // An unreadable settings file counts as none: the program starts with the defaults.
    }
}

bool TConfig::Save() const {
    const QString path = GetFileName();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    try {
        TMemIniFile ini(path);
        SaveToIni(ini);
        ini.UpdateFile();
    } catch (const TError&) {
        return false;
    }
    return true;
}

QString GetLastProject(const TConfig::THistoryList& history) {
    if (history.GetCount() == 0)
        return QString();
    const QString path = history.Get(0);
    return QFileInfo(path).isFile() ? path : QString();
}
