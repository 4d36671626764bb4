// Listing entries of the folder browser: making, ordering, searching, row texts, history.

#include "TFtpDirHistory.h"
#include "TFtpItem.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TFtpItem Item(const QString& name, bool isDir, qint64 size = 0, const QString& attribute = {},
              QDateTime when = QDateTime(QDate(2020, 1, 1), QTime(0, 0))) {
    return {name, when, size, attribute, isDir};
}

QStringList Names(const std::vector<TFtpItem>& items) {
    QStringList names;
    for (const TFtpItem& item : items)
        names << item.FileName;
    return names;
}

TEST(TFtpItemTest, MakesOneItemPerEntryInListingOrder) {
    const QDateTime when(QDate(2021, 3, 4), QTime(5, 6, 7));
    const QList<TFtpListEntry> entries = {{u"b.txt"_s, when, 5000000000LL, false, u"-rw-"_s},
                                          {u"a"_s, when, 4096, true, u"drwx"_s}};
    const std::vector<TFtpItem> items = MakeFtpItems(entries);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].FileName, u"b.txt");
    EXPECT_EQ(items[0].DateTime, when);
    EXPECT_EQ(items[0].Size, 5000000000LL);
    EXPECT_EQ(items[0].Attribute, u"-rw-");
    EXPECT_FALSE(items[0].IsDir);
    EXPECT_TRUE(items[1].IsDir);
}

TEST(TFtpItemTest, SortsFoldersFirstThenByTheKey) {
    const QDateTime early(QDate(2019, 1, 1), QTime(0, 0));
    const QDateTime late(QDate(2024, 1, 1), QTime(0, 0));
    const std::vector<TFtpItem> listing = {
        Item(u"a"_s, false, 30, u"-rw-r--r--"_s, early),
        Item(u"B"_s, false, 10, u"-rwxr-xr-x"_s, late),
        Item(u"Ab"_s, false, 20, u"-r--r--r--"_s, late.addDays(1)),
        Item(u"dir2"_s, true, 1, u"drwxr-xr-x"_s, early),
        Item(u".."_s, true, 9, u"drwx------"_s, late),
        Item(u"A"_s, false, -1, u"lrwxrwxrwx"_s, early.addDays(1)),
    };
    const struct {
        int Key;
        QStringList Order;
    } cases[] = {
        {FtpSortByName, {u".."_s, u"dir2"_s, u"A"_s, u"Ab"_s, u"B"_s, u"a"_s}},
        {FtpSortByDate, {u"dir2"_s, u".."_s, u"a"_s, u"A"_s, u"B"_s, u"Ab"_s}},
        {FtpSortBySize, {u"dir2"_s, u".."_s, u"A"_s, u"B"_s, u"Ab"_s, u"a"_s}},
        {FtpSortByAttribute,
         {u".."_s, u"dir2"_s, u"-r--r--r--"_s, u"-rw-r--r--"_s, u"-rwxr-xr-x"_s, u"lrwxrwxrwx"_s}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        std::vector<TFtpItem> items = listing;
        SortFtpItems(items, c.Key);
        QStringList keys = Names(items);
        if (c.Key == FtpSortByAttribute) {
            for (size_t i = 2; i < items.size(); ++i)
                keys[i] = items[i].Attribute;
        }
        EXPECT_EQ(keys, c.Order);
    }
}

TEST(TFtpItemTest, ExistsOnlyForTheSameNameAndKind) {
    const std::vector<TFtpItem> items = {Item(u"page.html"_s, false), Item(u"pics"_s, true)};
    EXPECT_TRUE(FtpItemExists(items, u"page.html"_s, false));
    EXPECT_FALSE(FtpItemExists(items, u"Page.html"_s, false));  // letter case matters
    EXPECT_FALSE(FtpItemExists(items, u"pics"_s, false));       // a folder is no file
    EXPECT_TRUE(FtpItemExists(items, u"pics"_s, true));
    EXPECT_FALSE(FtpItemExists(items, QString(), false));
    EXPECT_FALSE(FtpItemExists({}, u"page.html"_s, false));
}

TEST(TFtpItemTest, RowTextsOfFilesAndFolders) {
    const QDateTime when(QDate(2007, 8, 9), QTime(13, 4, 5));
    EXPECT_EQ(DisplayItemTexts(Item(u"a.jpg"_s, false, 5368709120LL, u"-rw-"_s, when)),
              (QStringList{u"a.jpg"_s, u"2007/08/09 13:04:05"_s, u"5368709120"_s, u"-rw-"_s}));
    EXPECT_EQ(DisplayItemTexts(Item(u"pics"_s, true, 4096, {}, when)),
              (QStringList{u"pics"_s, u"2007/08/09 13:04:05"_s, u"<DIR>"_s, QString()}));
}

TEST(TFtpItemTest, HistoryKeepsEachFolderOnceMostRecentLast) {
    QStringList history;
    EXPECT_EQ(TFtpDirHistory::Add(history, u"/"_s), 0);
    TFtpDirHistory::Add(history, u"/Web"_s);
    TFtpDirHistory::Add(history, u"/img"_s);
    EXPECT_EQ(TFtpDirHistory::Add(history, u"/web"_s), 2);
    EXPECT_EQ(history, (QStringList{u"/"_s, u"/img"_s, u"/web"_s}));
    TFtpDirHistory::Add(history, u"/web"_s);
    EXPECT_EQ(history, (QStringList{u"/"_s, u"/img"_s, u"/web"_s}));
}

}  // namespace
