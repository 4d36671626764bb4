#include <gtest/gtest.h>

#include <vector>

#include "TDateTimeFormatter.h"

namespace {

struct TCase {
    const char* Format;
    QDate Date;
    QTime Time;
    const char* Expected;
};

// A Tuesday afternoon, with every field different.
const QDate Day(2024, 3, 5);
const QTime Afternoon(14, 7, 9, 45);
const QTime Morning(9, 5, 3, 5);
const QTime Midnight(0, 0);

void ExpectCases(const std::vector<TCase>& cases) {
    for (const TCase& c : cases) {
        EXPECT_EQ(TDateTimeFormatter::FormatDateTime(QString::fromUtf8(c.Format), c.Date, c.Time),
                  QString::fromUtf8(c.Expected))
            << "format \"" << c.Format << "\" on " << c.Date.toString(Qt::ISODate).toStdString()
            << " " << c.Time.toString(Qt::ISODateWithMs).toStdString();
    }
}

TEST(TDateTimeFormatter, EverySpecifier) {
    ExpectCases({
        {"c", Day, Afternoon, "2024/03/05 14:07:09"},
        {"", Day, Afternoon, "2024/03/05 14:07:09"},
        {"c", Day, Morning, "2024/03/05 9:05:03"},
        {"c", Day, Midnight, "2024/03/05"},
        {"c", Day, QTime(0, 0, 0, 500), "2024/03/05"},
        {"", Day, Midnight, "2024/03/05"},
        {"d", Day, Afternoon, "5"},
        {"dd", Day, Afternoon, "05"},
        {"ddd", Day, Afternoon, "火"},
        {"dddd", Day, Afternoon, "火曜日"},
        {"dddd", QDate(2024, 3, 3), Afternoon, "日曜日"},
        {"dddd", QDate(2024, 3, 9), Afternoon, "土曜日"},
        {"ddddd", Day, Afternoon, "2024/03/05"},
        {"dddddd", Day, Afternoon, "2024年3月5日"},
        {"ddddddd", Day, Afternoon, "2024年3月5日"},
        {"dD", Day, Afternoon, "55"},
        {"e", Day, Afternoon, "6"},
        {"ee", Day, Afternoon, "06"},
        {"eee", Day, Afternoon, "06"},
        {"e", QDate(2000, 1, 1), Afternoon, "12"},
        {"g", Day, Afternoon, "令"},
        {"gg", Day, Afternoon, "令和"},
        {"gge年", Day, Afternoon, "令和6年"},
        {"m", Day, Afternoon, "3"},
        {"mm", Day, Afternoon, "03"},
        {"mm", QDate(2024, 11, 5), Afternoon, "11"},
        {"mmm", Day, Afternoon, "3"},
        {"mmmm", Day, Afternoon, "3月"},
        {"mmmmm", QDate(2024, 12, 5), Afternoon, "12月"},
        {"y", Day, Afternoon, "24"},
        {"yy", QDate(2005, 3, 5), Afternoon, "05"},
        {"y", QDate(2005, 3, 5), Afternoon, "05"},
        {"yyy", Day, Afternoon, "2024"},
        {"yyyy", Day, Afternoon, "2024"},
        {"yyyyy", QDate(987, 3, 5), Afternoon, "0987"},
        {"h", Day, Afternoon, "14"},
        {"h", Day, Morning, "9"},
        {"hh", Day, Morning, "09"},
        {"hhh", Day, Morning, "09"},
        {"n", Day, Afternoon, "7"},
        {"nn", Day, Afternoon, "07"},
        {"nnn", Day, Afternoon, "07"},
        {"s", Day, Afternoon, "9"},
        {"ss", Day, Afternoon, "09"},
        {"z", Day, Afternoon, "45"},
        {"zz", Day, Afternoon, "45"},
        {"zzz", Day, Afternoon, "045"},
        {"zzzz", Day, Afternoon, "045"},
        {"z", Day, QTime(1, 2, 3, 123), "123"},
        {"zz", Day, Morning, "05"},
        {"t", Day, Afternoon, "14:07"},
        {"tt", Day, Afternoon, "14:07:09"},
        {"tt", Day, Midnight, "0:00:00"},
        {"am/pm", Day, Afternoon, "pm"},
        {"am/pm", Day, Morning, "am"},
        {"a/p", Day, Afternoon, "p"},
        {"ampm", Day, Afternoon, "午後"},
        {"ampm", Day, Morning, "午前"},
        {"AMPM", Day, QTime(12, 0), "午後"},
        {"aaa", Day, Afternoon, "火"},
        {"aaaa", Day, Afternoon, "火曜日"},
        {"/", Day, Afternoon, "/"},
        {":", Day, Afternoon, ":"},
        {"\"dd\"", Day, Afternoon, "dd"},
        {"'dd'", Day, Afternoon, "dd"},
        {"#-+ bfijkloqruvwx年", Day, Afternoon, "#-+ bfijkloqruvwx年"},
    });
}

TEST(TDateTimeFormatter, SpecifierLettersInEitherCase) {
    ExpectCases({
        {"YYYY/MM/DD HH:NN:SS.ZZZ", Day, Afternoon, "2024/03/05 14:07:09.045"},
        {"C", Day, Afternoon, "2024/03/05 14:07:09"},
        {"DDDD", Day, Afternoon, "火曜日"},
        {"GGE", Day, Afternoon, "令和6"},
        {"T", Day, Afternoon, "14:07"},
        {"AAAA", Day, Afternoon, "火曜日"},
        // Runs break where the case changes.
        {"Dd", Day, Afternoon, "55"},
        {"yY", Day, Afternoon, "2424"},
        {"aAa", Day, Afternoon, "aAa"},
        {"aa", Day, Afternoon, "aa"},
        {"aaaaa", Day, Afternoon, "火曜日a"},
    });
}

TEST(TDateTimeFormatter, AmPmTakesTheCaseWrittenAndSwitchesToTwelveHours) {
    ExpectCases({
        {"AM/PM", Day, Afternoon, "PM"},
        {"AM/PM", Day, Morning, "AM"},
        {"Am/pM", Day, Afternoon, "pM"},
        {"A/P", Day, Afternoon, "P"},
        {"A/P", Day, Morning, "A"},
        {"a/P", Day, Afternoon, "P"},
        {"hh:nn am/pm", Day, Afternoon, "02:07 pm"},
        {"h am/pm", Day, Midnight, "12 am"},
        {"h am/pm", Day, QTime(12, 0), "12 pm"},
        {"h am/pm", Day, QTime(23, 0), "11 pm"},
        {"h a/p", Day, Afternoon, "2 p"},
        {"h ampm", Day, Afternoon, "2 午後"},
        // An earlier am/pm makes every later hour 12-hour.
        {"am/pm h", Day, Afternoon, "pm 2"},
        {"ampm h:nn", Day, Afternoon, "午後 2:07"},
        // Only the first a or h after the hour decides.
        {"h h am/pm", Day, Afternoon, "14 2 pm"},
        {"hh a am/pm", Day, Afternoon, "14 a pm"},
        {"h dddd am/pm", Day, Afternoon, "2 火曜日 pm"},
        {"h aaaa", Day, Afternoon, "14 火曜日"},
        // Quoted text is neither a specifier nor a reason to stop looking.
        {"h 'am/pm'", Day, Afternoon, "14 am/pm"},
        {"h \"h\" am/pm", Day, Afternoon, "2 h pm"},
        {"h 'a' am/pm", Day, Afternoon, "2 a pm"},
        // An am/pm after t does not reach the hour inside the expanded time format.
        {"t am/pm", Day, Afternoon, "14:07 pm"},
    });
}

TEST(TDateTimeFormatter, MAfterAnHourMeansMinutes) {
    ExpectCases({
        {"h:m", Day, Afternoon, "14:7"},
        {"h:mm", Day, Afternoon, "14:07"},
        {"hh:mm:ss", Day, Afternoon, "14:07:09"},
        {"h.m", Day, Afternoon, "14.7"},
        {"h 時 m 分", Day, Afternoon, "14 時 7 分"},
        {"h'x'm", Day, Afternoon, "14x7"},
        {"h\"dd\"mm", Day, Afternoon, "14dd07"},
        {"Hmm", Day, Afternoon, "1407"},
        // The nearest preceding letter decides.
        {"h x m", Day, Afternoon, "14 x 3"},
        {"h:m:m", Day, Afternoon, "14:7:3"},
        {"h am/pm m", Day, Afternoon, "2 pm 3"},
        {"hmmm", Day, Afternoon, "1407"},
        {"mm", Day, Afternoon, "03"},
        {"d/mm", Day, Afternoon, "5/03"},
        {"mm:h", Day, Afternoon, "03:14"},
        {"yyyy/mm/dd hh:mm", Day, Afternoon, "2024/03/05 14:07"},
    });
}

TEST(TDateTimeFormatter, QuotedText) {
    ExpectCases({
        {"yyyy'年'm'月'd'日'", Day, Afternoon, "2024年3月5日"},
        {"\"It's\" dd", Day, Afternoon, "It's 05"},
        {"'say \"hi\"'", Day, Afternoon, "say \"hi\""},
        {"dd 'unclosed mm", Day, Afternoon, "05 unclosed mm"},
        {"''dd", Day, Afternoon, "05"},
    });
}

TEST(TDateTimeFormatter, JapaneseEras) {
    ExpectCases({
        {"gge", QDate(1868, 1, 1), Midnight, "明治1"},
        {"gge", QDate(1912, 7, 29), Midnight, "明治45"},
        {"gge", QDate(1912, 7, 30), Midnight, "大正1"},
        {"gge", QDate(1926, 12, 24), Midnight, "大正15"},
        {"gge", QDate(1926, 12, 25), Midnight, "昭和1"},
        {"ggee", QDate(1989, 1, 7), Midnight, "昭和64"},
        {"gge", QDate(1989, 1, 8), Midnight, "平成1"},
        {"gee", QDate(1989, 1, 8), Midnight, "平01"},
        {"gge", QDate(2019, 4, 30), Midnight, "平成31"},
        {"gge", QDate(2019, 5, 1), Midnight, "令和1"},
        {"[g|gg|e|ee]", QDate(1867, 12, 31), Midnight, "[|||]"},
    });
}

TEST(TDateTimeFormatter, InvalidValuesCountAsDayZeroAtMidnight) {
    EXPECT_EQ(TDateTimeFormatter::FormatDateTime("c dddd", QDate(), QTime()),
              QString::fromUtf8("1899/12/30 土曜日"));
}

TEST(TDateTimeFormatter, DateTimeOverload) {
    EXPECT_EQ(TDateTimeFormatter::FormatDateTime("c", QDateTime(Day, Afternoon)),
              "2024/03/05 14:07:09");
}

TEST(TDateTimeFormatter, ResultIsCutAt256Characters) {
    const QString x300(300, u'x');
    EXPECT_EQ(TDateTimeFormatter::FormatDateTime(x300, Day, Afternoon), QString(256, u'x'));
    // The cut falls on whatever stands there, a number or a name from the locale.
    const QString x254(254, u'x');
    EXPECT_EQ(TDateTimeFormatter::FormatDateTime(x254 + "yyyy", Day, Afternoon), x254 + "20");
    EXPECT_EQ(TDateTimeFormatter::FormatDateTime(x254 + "dddd", Day, Afternoon),
              x254 + QString::fromUtf8("火曜"));
    EXPECT_EQ(TDateTimeFormatter::FormatDateTime(x254 + "c", Day, Afternoon), x254 + "20");
    // Quoted text counts without its quotes.
    EXPECT_EQ(TDateTimeFormatter::FormatDateTime("'" + x254 + "'dd", Day, Afternoon), x254 + "05");
    // Half of a surrogate pair is not left at the end.
    const QString cut = TDateTimeFormatter::FormatDateTime(
        QString(255, u'x') + QString::fromUtf8("😀"), Day, Afternoon);
    EXPECT_EQ(cut, QString(255, u'x'));
}

}  // namespace
