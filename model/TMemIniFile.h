#pragma once
// The in-memory INI document behind the project and settings files: read whole on opening,
// changed in memory, written back with UpdateFile. Names are matched without regard to case,
// the last occurrence wins, and writing merges into what the file already held.

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class TMemIniFile {
public:
    enum class TEncoding { Ansi, Utf16Le, Utf16Be };

    // A missing file gives an empty document; a file that exists but cannot be read is a TError.
    explicit TMemIniFile(const QString& path);

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int32_t ReadInteger(const QString& section, const QString& key, int32_t def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int32_t value);
    void WriteBool(const QString& section, const QString& key, bool value);

    bool SectionExists(const QString& section) const;
    QStringList SectionNames() const;
    // The largest i for which a section (or a key of `section`) is named prefix + i in plain
    // decimal, or -1. Loaders use it to bound counts that a damaged file may inflate.
    int64_t HighestSectionIndex(const QString& prefix) const;
    int64_t HighestKeyIndex(const QString& section, const QString& prefix) const;

    // Writes the document in the encoding chosen when it was opened, replacing the file
    // atomically. Throws TError when the file cannot be written.
    void UpdateFile() const;
    QByteArray ToBytes() const;
    TEncoding Encoding() const { return FEncoding; }

private:
    struct TLine {
        QString Key;    // trimmed text before the first "="
        QString Value;  // trimmed text after it
        bool HasEquals = false;
        QString Text() const { return HasEquals ? Key + u'=' + Value : Value; }
    };
    struct TSection {
        QString Name;
        std::vector<TLine> Lines;
        QHash<QString, size_t> LastKey;  // folded key -> index of its last line
    };

    static QString Fold(const QString& name) { return name.toUpper(); }
    void Parse(const QString& text);
    void AddLine(TSection& section, TLine line);
    const TLine* Find(const QString& section, const QString& key) const;
    TSection& SectionFor(const QString& section);

    QString FPath;
    TEncoding FEncoding = TEncoding::Ansi;
    std::vector<TSection> FSections;
    QHash<QString, size_t> FLastSection;  // folded name -> index of its last occurrence
};
