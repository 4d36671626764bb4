#include <gtest/gtest.h>

#include <QFile>

#include "TError.h"
#include "TMemIniFile.h"
#include "TTestSupport.h"

using testsupport::ReadFile;
using testsupport::TScratchDir;
using testsupport::WriteFile;

namespace {

class TMemIniFileTest : public testing::Test {
protected:
    QString Write(const QByteArray& bytes) {
        const QString path = FDir.File("test.ini");
        WriteFile(path, bytes);
        return path;
    }
    TScratchDir FDir;
};

TEST_F(TMemIniFileTest, MissingFileIsEmptyAndNewFileIsAnsiWithoutMark) {
    const QString path = FDir.File("new.ini");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("A", "k", "def"), QString("def"));
    ini.WriteString("日本", "名前", "値");
    ini.WriteInteger("日本", "n", -5);
    ini.WriteBool("B", "b", true);
    ini.UpdateFile();
    EXPECT_EQ(ReadFile(path), QByteArray("[\x93\xfa\x96\x7b]\r\n\x96\xbc\x91\x4f=\x92\x6c\r\n"
                                         "n=-5\r\n\r\n[B]\r\nb=1\r\n\r\n"));
}

TEST_F(TMemIniFileTest, ParsesLinesSectionsCommentsAndBlanks) {
    const QString path = Write(
        "ignored=before section\r\n"
        "  [ Sec ]  \r\n"
        "; comment\n"
        "\n"
        "  key  =  value with = inside  \r"
        "noequals line\r\n"
        "\tTabbed=\tv\t\n"
        "[Other]\n"
        "x=1");
    const TMemIniFile ini(path);
    EXPECT_EQ(ini.SectionNames(), QStringList({"Sec", "Other"}));
    EXPECT_EQ(ini.ReadString("sec", "KEY", ""), QString("value with = inside"));
    EXPECT_EQ(ini.ReadString("Sec", "Tabbed", ""), QString("v"));
    EXPECT_EQ(ini.ReadString("Other", "x", ""), QString("1"));
    EXPECT_EQ(ini.ReadString("Sec", "ignored", "none"), QString("none"));
    EXPECT_EQ(ini.ReadString("Sec", "noequals line", "none"), QString("none"));
    // Lines without "=" stay as they were when the file is written back.
    EXPECT_TRUE(ini.ToBytes().contains("noequals line\r\n"));
}

TEST_F(TMemIniFileTest, TrimsOnlyControlCharactersAndSpaces) {
    // The ideographic space (U+3000) is content, not a blank.
    const QString path = Write(QByteArray("[S]\r\nk= \x81\x40x \r\n"));
    EXPECT_EQ(TMemIniFile(path).ReadString("S", "k", ""), QString::fromUtf16(u"\u3000x"));
}

TEST_F(TMemIniFileTest, LastOccurrenceWinsForReadingAndWriting) {
    const QString path = Write("[S]\r\nk=1\r\nK=2\r\n[s]\r\nk=3\r\nk=4\r\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "k", ""), QString("4"));
    ini.WriteString("S", "K", "5");
    ini.WriteString("S", "new", "6");
    EXPECT_EQ(ini.ToBytes(),
              QByteArray("[S]\r\nk=1\r\nK=2\r\n\r\n[s]\r\nk=3\r\nK=5\r\nnew=6\r\n\r\n"));
}

TEST_F(TMemIniFileTest, ReadsIntegersAndBooleansByTheFileRules) {
    const QString path = Write(
        "[S]\r\nhex=0x50\r\ndollar=$1F\r\nbad=abc\r\nempty=\r\nneg=-7\r\nshort=0x\r\n"
        "two=2\r\nzero=0\r\n");
    const TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("S", "hex", 21), 80);
    EXPECT_EQ(ini.ReadInteger("S", "dollar", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "bad", 21), 21);
    EXPECT_EQ(ini.ReadInteger("S", "empty", 9), 9);
    EXPECT_EQ(ini.ReadInteger("S", "neg", 0), -7);
    EXPECT_EQ(ini.ReadInteger("S", "short", 3), 3);
    EXPECT_TRUE(ini.ReadBool("S", "two", false));
    EXPECT_FALSE(ini.ReadBool("S", "zero", true));
    EXPECT_FALSE(ini.ReadBool("S", "bad", false));
    EXPECT_TRUE(ini.ReadBool("S", "missing", true));
}

TEST_F(TMemIniFileTest, EncodingIsChosenByTheFirstBytes) {
    struct TCase {
        const char* Name;
        QByteArray Bytes;
        QByteArray Written;  // the first bytes of what UpdateFile writes
    };
    const QString text = QString::fromUtf16(u"[S]\r\nk=日本\r\n");
    const TCase cases[] = {
        {"utf16le",
         QByteArray("\xFF\xFE") +
             QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2),
         QByteArray("\xFF\xFE[\0", 4)},
        {"utf16be", QByteArray("\xFE\xFF\0[\0]", 6), QByteArray("\xFE\xFF\0[", 4)},
        {"utf8bom", QByteArray("\xEF\xBB\xBF[S]\r\nk=\xE6\x97\xA5\xE6\x9C\xAC\r\n"),
         QByteArray("[S]\r\nk=\x93\xfa\x96\x7b")},
        {"ansi", QByteArray("[S]\r\nk=\x93\xfa\x96\x7b\r\n"), QByteArray("[S]\r\nk=\x93\xfa")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = Write(c.Bytes);
        TMemIniFile ini(path);
        if (QByteArray(c.Name) != "utf16be") {
            EXPECT_EQ(ini.ReadString("S", "k", ""), QString::fromUtf16(u"日本"));
        }
        ini.WriteString("S", "z", "1");
        ini.UpdateFile();
        EXPECT_TRUE(ReadFile(path).startsWith(c.Written)) << ReadFile(path).toHex(' ').constData();
    }
}

TEST_F(TMemIniFileTest, Utf16FileStaysUtf16AfterUpdate) {
    const QString text = QString::fromUtf16(u"[S]\r\nk=日本\r\n");
    QByteArray bytes("\xFF\xFE");
    bytes += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QString path = Write(bytes);
    {
        TMemIniFile ini(path);
        ini.WriteString("S", "m", "月");
        ini.UpdateFile();
    }
    const TMemIniFile again(path);
    EXPECT_EQ(again.Encoding(), TMemIniFile::TEncoding::Utf16Le);
    EXPECT_EQ(again.ReadString("S", "m", ""), QString::fromUtf16(u"月"));
    EXPECT_EQ(again.ReadString("S", "k", ""), QString::fromUtf16(u"日本"));
}

TEST_F(TMemIniFileTest, OddUtf16FileLoadsWithoutItsLastByte) {
    const QString text = "[S]\nk=v\n";
    QByteArray bytes("\xFF\xFE");
    bytes += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    bytes += '\x41';  // half a code unit
    const QString path = Write(bytes);
    EXPECT_EQ(TMemIniFile(path).ReadString("S", "k", ""), QString("v"));
}

TEST_F(TMemIniFileTest, AsciiAndConvertedLinesKeepTheirOrder) {
    // Lines outside ASCII are converted apart from the others; a lone CR ends a line, and a
    // lead byte at the end of a line stands alone.
    const QString path = Write(
        "[A]\rk=1\r[\x93\xfa]\r\nk=\x96\x7b\x93\r\n[B]\nk=\x81\r\n"
        "\x93\xfa\x96\x7b\r[\x93\xfa]\nm= x\x81\x40 \n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.SectionNames(), QStringList({"A", "日", "B", "日"}));
    EXPECT_EQ(ini.ReadString("A", "k", ""), QString("1"));
    EXPECT_EQ(ini.ReadString("B", "k", ""), QString("?"));
    EXPECT_EQ(ini.ReadString("日", "m", ""), QString::fromUtf16(u"x\u3000"));
    EXPECT_EQ(ini.ReadString("日", "k", "none"), QString("none"));  // the last section wins
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\r\nk=1\r\n\r\n[\x93\xfa]\r\nk=\x96\x7b?\r\n\r\n"
                                        "[B]\r\nk=?\r\n\x93\xfa\x96\x7b\r\n\r\n"
                                        "[\x93\xfa]\r\nm=x\x81\x40\r\n\r\n"));
}

TEST_F(TMemIniFileTest, Utf8MarksBeyondTheFirst) {
    // A second mark right behind the first is dropped; one starting a later line is text.
    const QString path =
        Write("\xEF\xBB\xBF\xEF\xBB\xBF[S]\r\n\xEF\xBB\xBFk=\xE6\x97\xA5\r\nm=\xEF\xBB\xBF\r\n");
    const TMemIniFile ini(path);
    EXPECT_EQ(ini.SectionNames(), QStringList({"S"}));
    EXPECT_EQ(ini.ReadString("S", QString(QChar(0xFEFF)) + "k", ""), QString::fromUtf16(u"日"));
    EXPECT_EQ(ini.ReadString("S", "m", ""), QString(QChar(0xFEFF)));
}

TEST_F(TMemIniFileTest, ViewsOfLongValuesAndTheirReplacement) {
    const QByteArray base64(3 << 20, 'Q');
    const QString path = Write("[S]\r\nHtml=" + base64 + "\r\nName=\x93\xfa\r\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadStringView("s", "HTML").toString(), QString::fromLatin1(base64));
    EXPECT_EQ(ini.ReadStringView("S", "Name").toString(), QString::fromUtf16(u"日"));
    EXPECT_TRUE(ini.ReadStringView("S", "missing").isEmpty());
    ini.WriteString("S", "Html", "short");
    EXPECT_EQ(ini.ReadStringView("S", "Html").toString(), QString("short"));
    EXPECT_EQ(ini.ToBytes(), QByteArray("[S]\r\nHtml=short\r\nName=\x93\xfa\r\n\r\n"));
}

TEST_F(TMemIniFileTest, IndexedNamesGiveTheHighestIndex) {
    const QString path = Write(
        "[InputItem]\r\n[InputItem0]\r\n[inputitem12]\r\n[InputItem007]\r\n[InputItemX]\r\n"
        "[C]\r\nItemCaption_3=a\r\nItemValue_40=b\r\n");
    const TMemIniFile ini(path);
    EXPECT_EQ(ini.HighestSectionIndex("InputItem"), 12);
    EXPECT_EQ(ini.HighestSectionIndex("HtmlTemplate_"), -1);
    EXPECT_EQ(ini.HighestKeyIndex("C", "ItemCaption_"), 3);
    EXPECT_EQ(ini.HighestKeyIndex("C", "ItemValue_"), 40);
    EXPECT_EQ(ini.HighestKeyIndex("missing", "ItemValue_"), -1);
}

TEST_F(TMemIniFileTest, UnreadableFileIsAnError) {
    // A folder exists but cannot be read as a file.
    EXPECT_THROW(TMemIniFile ini(FDir.Path()), TError);
}

}  // namespace
