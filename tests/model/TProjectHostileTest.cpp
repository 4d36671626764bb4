// Project files travel between people: damaged or hostile ones must load to a clear result,
// quickly and in bounded memory, and never crash.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "TMemIniFile.h"
#include "TProject.h"
#include "TTestSupport.h"

using testsupport::TScratchDir;
using testsupport::WriteFile;

namespace {

class TProjectHostileTest : public testing::Test {
protected:
    TProject& Load(const QByteArray& bytes) {
        WriteFile(FDir.File("hostile.PT"), bytes);
        FProject.LoadFromFile(FDir.File("hostile.PT"));
        return FProject;
    }
    TScratchDir FDir;
    TProject FProject;
};

TEST_F(TProjectHostileTest, FiftyMegabytesOnOneLine) {
    QByteArray bytes("[InputItem]\r\nCount=");
    bytes += QByteArray(50 * 1024 * 1024, '9');
    EXPECT_EQ(Load(bytes).InputItems.GetCount(), 0);
}

TEST_F(TProjectHostileTest, RandomBytesLoadAsWhateverTheyHappenToHold) {
    QRandomGenerator random(20261210);
    for (int round = 0; round < 20; ++round) {
        QByteArray bytes(64 * 1024, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random.bounded(256));
        if (round % 2)
            bytes.prepend("\xFF\xFE");  // half of them read as UTF-16
        EXPECT_NO_THROW(Load(bytes)) << round;
    }
}

TEST_F(TProjectHostileTest, OddLengthUtf16File) {
    QByteArray bytes("\xFF\xFE");
    const QString text = "[FTP]\r\nHost=h\r\n";
    bytes += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    bytes += 'x';
    EXPECT_EQ(Load(bytes).FtpConfig.Host, QString("h"));
}

TEST_F(TProjectHostileTest, HugeSectionNameAndKey) {
    QByteArray bytes = "[" + QByteArray(100000, 'S') + "]\r\n" + QByteArray(100000, 'k') + "=v\r\n";
    bytes += "[FTP]\r\nPort=99\r\n";
    EXPECT_EQ(Load(bytes).FtpConfig.Port, 99);
    const TMemIniFile ini(FDir.File("hostile.PT"));
    EXPECT_EQ(ini.ReadString(QString(100000, u'S'), QString(100000, u'k'), ""), QString("v"));
}

TEST_F(TProjectHostileTest, ManySectionsAndKeysStayLinear) {
    // 20000 items with a pull-down of 200 choices each would be quadratic if names were
    // searched one by one.
    QByteArray bytes = "[InputItem]\r\nCount=20000\r\n";
    for (int i = 0; i < 20000; ++i) {
        bytes += "[InputItem" + QByteArray::number(i) + "]\r\nInputType=0\r\nName=n" +
                 QByteArray::number(i) + "\r\n";
    }
    bytes += "[InputItem0]\r\nInputType=3\r\nItemCount=200\r\n";
    for (int n = 0; n < 200; ++n)
        bytes += "ItemCaption_" + QByteArray::number(n) + "=c\r\n";
    TProject& p = Load(bytes);
    ASSERT_EQ(p.InputItems.GetCount(), 20000);
    EXPECT_EQ(p.GetInputItem(0)->GetInputType(), 3);
    EXPECT_EQ(p.GetInputItem(19999)->GetName(), QString("n19999"));
}

}  // namespace
