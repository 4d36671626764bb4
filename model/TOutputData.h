#pragma once
// The output of one entered value (what replaces its tag, and for pictures the file to
// write), and the map of outputs by tag name that template expansion reads.

#include <QString>
#include <map>

struct TOutputData {
    QString Text;      // replaces the item's tag in the template
    QString FileName;  // image items only: the picture file to write
    QString FileData;  // image items only: that file's bytes as Base64
};

// Keys are ordered and found by UTF-16 code units (QString's operator<): case matters and
// no locale is involved. The first value inserted for a key stays.
class TOutputDataMap {
public:
    using TMap = std::map<QString, TOutputData>;

    // Returns false, keeping the held value, when the key is already present.
    bool Insert(const QString& name, TOutputData data) {
        return FMap.emplace(name, std::move(data)).second;
    }
    const TOutputData* Find(const QString& name) const {
        const auto it = FMap.find(name);
        return it == FMap.end() ? nullptr : &it->second;
    }
    qsizetype Count() const { return static_cast<qsizetype>(FMap.size()); }
    TMap::const_iterator begin() const { return FMap.begin(); }
    TMap::const_iterator end() const { return FMap.end(); }

private:
    TMap FMap;
};
