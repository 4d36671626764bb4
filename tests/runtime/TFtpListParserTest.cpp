// Recorded listing lines of Unix, MS-DOS/IIS and odd servers, read offline.

#include "TCodePage.h"
#include "TFtpListParser.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QDateTime Now(QDate(2026, 12, 10), QTime(10, 22));

struct TLineCase {
    const char* Line;
    const char* Name;
    bool IsDir;
    qint64 Size;
    const char* When;  // yyyy-MM-dd HH:mm
    const char* Permissions;
};

const TLineCase LineCases[] = {
    {"drwxr-xr-x   2 user group 4096 Dec  1 09:05 pictures", "pictures", true, 4096,
     "2026-12-01 09:05", "drwxr-xr-x"},
    // A time names no year: the latest such moment not after now.
    {"-rw-r--r--   1 user group 12 Dec 10 10:22 just now", "just now", false, 12,
     "2026-12-10 10:22", "-rw-r--r--"},
    {"-rw-r--r--   1 user group 12 Dec 10 10:23 a minute ahead", "a minute ahead", false, 12,
     "2025-12-10 10:23", "-rw-r--r--"},
    {"-rw-r--r--   1 user group 1 Feb 29 12:00 leap", "leap", false, 1, "2024-02-29 12:00",
     "-rw-r--r--"},
    {"-rw-r--r--   1 user 512 Jan 31  2019 no group.txt", "no group.txt", false, 512,
     "2019-01-31 00:00", "-rw-r--r--"},
    {"-rw-r--r--    1 102      105          1000 Dec 10  2025 numeric", "numeric", false, 1000,
     "2025-12-10 00:00", "-rw-r--r--"},
    {"lrwxrwxrwx   1 u g 7 Mar  3  2020 www -> /var/www", "www", false, 7, "2020-03-03 00:00",
     "lrwxrwxrwx"},
    {"-rw-r--r--   1 u g 10 Mar  3  2020  inner  spaces trailing  ", " inner  spaces trailing  ",
     false, 10, "2020-03-03 00:00", "-rw-r--r--"},
    {"crw-rw-rw-   1 root root   1,   3 Apr  1  2021 null", "null", false, 0, "2021-04-01 00:00",
     "crw-rw-rw-"},
    {"-rw-r--r--   1 u g 5368709120 Jun  5  2020 dvd.iso", "dvd.iso", false, 5368709120LL,
     "2020-06-05 00:00", "-rw-r--r--"},
    {"drwxr-xr-x+  3 u g 4096 jun  5  2020 acl", "acl", true, 4096, "2020-06-05 00:00",
     "drwxr-xr-x+"},
    {"drwxr-xr-x   2 u g 4096 Jan  1  2020 ..", "..", true, 4096, "2020-01-01 00:00", "drwxr-xr-x"},
    {"-rw-r--r--   1 u g 3 Jan  1  2020 日本語 名.txt", "日本語 名.txt", false, 3,
     "2020-01-01 00:00", "-rw-r--r--"},
    {"04-27-00  12:09PM       <DIR>          Docs", "Docs", true, 0, "2000-04-27 12:09", ""},
    {"04-27-2000  12:09AM                 1234 read me.txt", "read me.txt", false, 1234,
     "2000-04-27 00:09", ""},
    {"12-31-99  11:59PM                    5 old.txt", "old.txt", false, 5, "1999-12-31 23:59", ""},
    {"01-02-2020  13:45                   77 24h.txt", "24h.txt", false, 77, "2020-01-02 13:45",
     ""},
};

TEST(TFtpListParserTest, ReadsRecordedLines) {
    for (const TLineCase& c : LineCases) {
        SCOPED_TRACE(c.Line);
        const std::optional<TFtpListEntry> entry =
            TFtpListParser::ParseLine(QString::fromUtf8(c.Line), Now);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->Name, QString::fromUtf8(c.Name));
        EXPECT_EQ(entry->IsDir, c.IsDir);
        EXPECT_EQ(entry->Size, c.Size);
        EXPECT_EQ(entry->ModifiedAt.toString(u"yyyy-MM-dd HH:mm"), QString::fromUtf8(c.When));
        EXPECT_EQ(entry->Permissions, QString::fromUtf8(c.Permissions));
    }
}

TEST(TFtpListParserTest, SkipsLinesNoRuleReads) {
    const char* garbage[] = {
        "",
        "total 24",
        "hello world",
        "-rw-r--r--   1 u g 5 Foo  1  2020 bad month",
        "-rw-r--r--   1 u g 5 Feb 30  2020 bad day",
        "-rw-r--r--   1 u g 5 Feb  3 25:10 bad time",
        "-rw-r--r--   1 u g 5 Feb  3  2020",
        "13-45-2020  10:00AM  1 bad date",
        "02-03-2020  13:45PM  1 bad hour",
        "?rw-r--r--   1 u g 5 Feb  3  2020 bad type",
    };
    for (const char* line : garbage) {
        EXPECT_FALSE(TFtpListParser::ParseLine(QString::fromUtf8(line), Now).has_value()) << line;
    }
}

// One listing mixing CR LF and LF, UTF-8 and Shift_JIS names, and lines to skip.
TEST(TFtpListParserTest, DecodesEachLineAsUtf8OrShiftJis) {
    const QByteArray listing =
        "total 3\r\n"
        "-rw-r--r--   1 u g 3 Jan  1  2020 " +
        TCodePage::Encode(u"表示ファイル.txt"_s, TCodePage::ShiftJis) +
        "\r\n"
        "-rw-r--r--   1 u g 3 Jan  1  2020 " +
        u"ユーティーエフ.txt"_s.toUtf8() +
        "\n"
        "garbage \xff\xfe\r\n"
        "drwxr-xr-x   2 u g 4096 Jan  1  2020 dir";
    const QList<TFtpListEntry> entries = TFtpListParser::Parse(listing, Now);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].Name, u"表示ファイル.txt");
    EXPECT_EQ(entries[1].Name, u"ユーティーエフ.txt");
    EXPECT_EQ(entries[2].Name, u"dir");
    EXPECT_TRUE(entries[2].IsDir);
}

}  // namespace
