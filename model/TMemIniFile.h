#pragma once
// The in-memory INI document behind the project and settings files: read whole on opening,
// changed in memory, written back with UpdateFile. Names are matched without regard to case,
// the last occurrence wins, and writing merges into what the file already held.

#include <QAnyStringView>
#include <QByteArray>
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
    // The value where it lies in the document, without a copy, for values that may be very
    // long (empty when missing). Valid while the document lives and the key is not written.
    QAnyStringView ReadStringView(const QString& section, const QString& key) const;
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
    // Text of the document: a view into what was read, or a string of its own once written.
    // Copies share that string, so their views stay valid.
    class TText {
    public:
        TText() = default;
        explicit TText(QAnyStringView view) : FView(view) {}
        static TText Own(const QString& text) {
            TText own;
            own.FOwn = text;
            own.FView = own.FOwn;
            return own;
        }
        QAnyStringView View() const { return FView; }
        QString ToString() const { return FView.toString(); }

    private:
        QString FOwn;
        QAnyStringView FView;
    };
    struct TLine {
        TText Key;    // trimmed text before the first "="
        TText Value;  // trimmed text after it, or the whole line
        bool HasEquals = false;
    };
    struct TSection {
        TText Name;
        std::vector<TLine> Lines;
        QHash<QString, size_t> LastKey;  // folded key -> index of its last line
    };

    static QString Fold(QAnyStringView name) { return name.toString().toUpper(); }
    void ParseBytes(bool utf8);
    void ParseText();
    template <typename View>
    void ParseLine(View line, TSection*& current);
    void AddLine(TSection& section, TLine line);
    const TLine* Find(const QString& section, const QString& key) const;
    TSection& SectionFor(const QString& section);

    QString FPath;
    TEncoding FEncoding = TEncoding::Ansi;
    QByteArray FBytes;  // the file as read; its ASCII lines are viewed where they lie
    QString FText;      // the decoded text of the other lines, or of a whole UTF-16 file
    std::vector<TSection> FSections;
    QHash<QString, size_t> FLastSection;  // folded name -> index of its last occurrence
};
