#pragma once
// One entry of a remote folder listing as the folder browser shows it, with the search,
// ordering and row texts the browser and the upload queue use.

#include "TFtpListParser.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

struct TFtpItem {
    QString FileName;
    QDateTime DateTime;
    qint64 Size = 0;
    QString Attribute;
    bool IsDir = false;

    // Matches an entry of exactly this name (code unit by code unit) and kind.
    class TExistItem {
    public:
        TExistItem(const QString& name, bool isDir) : FName(name), FIsDir(isDir) {}
        bool operator()(const TFtpItem& item) const {
            return item.IsDir == FIsDir && item.FileName == FName;
        }

    private:
        QString FName;
        bool FIsDir;
    };
};

// Sort keys: the column indexes of the browser's list.
enum TFtpSortKey {
    FtpSortByName = 0,
    FtpSortByDate = 1,
    FtpSortBySize = 2,
    FtpSortByAttribute = 3
};

std::vector<TFtpItem> MakeFtpItems(const QList<TFtpListEntry>& entries);
// Folders first, then ascending by the key; names and attributes by UTF-16 code units.
void SortFtpItems(std::vector<TFtpItem>& items, int sortKey);
bool FtpItemExists(const std::vector<TFtpItem>& items, const QString& name, bool isDir);
// The four column texts of an entry's row: name, "yyyy/MM/dd HH:mm:ss", size or "<DIR>",
// attribute.
QStringList DisplayItemTexts(const TFtpItem& item);
