#include "TFtpItem.h"

#include <algorithm>

std::vector<TFtpItem> MakeFtpItems(const QList<TFtpListEntry>& entries) {
    std::vector<TFtpItem> items;
    items.reserve(entries.size());
    for (const TFtpListEntry& e : entries) {
        items.push_back({e.Name, e.ModifiedAt, e.Size, e.Permissions, e.IsDir});
    }
    return items;
}

void SortFtpItems(std::vector<TFtpItem>& items, int sortKey) {
    // QString's operator< compares UTF-16 code units, never a locale.
    auto byKey = [sortKey](const TFtpItem& a, const TFtpItem& b) {
        switch (sortKey) {
            case FtpSortByDate:
                return a.DateTime < b.DateTime;
            case FtpSortBySize:
                return a.Size < b.Size;
            case FtpSortByAttribute:
                return a.Attribute < b.Attribute;
            default:
                return a.FileName < b.FileName;
        }
    };
    std::sort(items.begin(), items.end(), [&](const TFtpItem& a, const TFtpItem& b) {
        if (a.IsDir != b.IsDir)
            return a.IsDir;
        return byKey(a, b);
    });
}

bool FtpItemExists(const std::vector<TFtpItem>& items, const QString& name, bool isDir) {
    return std::any_of(items.begin(), items.end(), TFtpItem::TExistItem(name, isDir));
}

QStringList DisplayItemTexts(const TFtpItem& item) {
    return {item.FileName, item.DateTime.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
            item.IsDir ? QStringLiteral("<DIR>") : QString::number(item.Size), item.Attribute};
}
