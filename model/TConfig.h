#pragma once
// The per-user settings: recently opened projects, the main window's bounds and the two
// start-up options, kept in "RavuVededuze/<executable>.INI" in the user's config folder.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class TMemIniFile;

class TConfig {
public:
    // Recent project paths, most recent first, at most ten; compared without regard to case.
    class THistoryList {
    public:
        static constexpr int MaxCount = 10;
        void Add(const QString& path);
        // Appends the paths not already held, in order; the maximum is not applied here.
        void AddStrings(const QStringList& paths);
        void Clear() { FPaths.clear(); }
        int GetCount() const { return static_cast<int>(FPaths.size()); }
        const QString& Get(int index) const { return FPaths.at(index); }

    private:
        qsizetype IndexOf(const QString& path) const;
        QStringList FPaths;
    };

    TConfig() : History(std::make_unique<THistoryList>()) {}
    virtual ~TConfig() = default;
    TConfig(const TConfig&) = delete;
    TConfig& operator=(const TConfig&) = delete;

    virtual QString GetFileName() const;
    virtual void SaveToIni(TMemIniFile& ini) const;
    virtual void LoadFromIni(const TMemIniFile& ini);

    // Reads the settings file; a missing file leaves the defaults.
    void Load();
    // Creates the settings folder when needed and writes the file atomically. Returns false,
    // without a message, when the folder cannot be created or the file not written.
    bool Save() const;

    std::unique_ptr<THistoryList> History;
    bool IsSaveWindowState = false;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool IsOpenLastProject = false;
};

class TOrvaneConfig : public TConfig {
public:
    ~TOrvaneConfig() override = default;
};

// The most recent project when its file still exists, otherwise "".
QString GetLastProject(const TConfig::THistoryList& history);
