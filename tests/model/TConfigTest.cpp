#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "TConfig.h"
#include "TError.h"
#include "TMemIniFile.h"
#include "TSpecialFolder.h"
#include "TTestSupport.h"

using testsupport::ReadFile;
using testsupport::TScratchDir;
using testsupport::WriteFile;

namespace {

QStringList Entries(const TConfig::THistoryList& h) {
    QStringList out;
    for (int i = 0; i < h.GetCount(); ++i)
        out.append(h.Get(i));
    return out;
}

TEST(THistoryList, KeepsTenMostRecentComparedWithoutCase) {
    TConfig::THistoryList h;
    for (int i = 1; i <= 11; ++i)
        h.Add(QString("/p/%1.PT").arg(i));
    ASSERT_EQ(h.GetCount(), 10);
    EXPECT_EQ(h.Get(0), QString("/p/11.PT"));
    EXPECT_EQ(h.Get(9), QString("/p/2.PT"));
    h.Add("/P/5.pt");
    EXPECT_EQ(h.GetCount(), 10);
    EXPECT_EQ(h.Get(0), QString("/P/5.pt"));
    EXPECT_EQ(Entries(h).filter("5", Qt::CaseInsensitive).size(), 1);
}

class TConfigTest : public testing::Test {
protected:
    TMemIniFile Ini(const QByteArray& bytes) {
        WriteFile(FDir.File("s.INI"), bytes);
        return TMemIniFile(FDir.File("s.INI"));
    }
    TScratchDir FDir;
};

TEST_F(TConfigTest, LoadsFifteenAndTheNextAddCutsToTen) {
    QByteArray bytes = "[HISTORY]\r\nCount=15\r\n";
    for (int i = 0; i < 15; ++i)
        bytes += QByteArray::number(i) + "=/x/" + QByteArray::number(i) + "\r\n";
    TOrvaneConfig config;
    config.LoadFromIni(Ini(bytes));
    EXPECT_EQ(config.History->GetCount(), 15);
    config.History->Add("/new.PT");
    EXPECT_EQ(config.History->GetCount(), 10);
    EXPECT_EQ(config.History->Get(0), QString("/new.PT"));
}

TEST_F(TConfigTest, CaseTwinsLoadAsOneAndEmptyEntriesLeaveNoGap) {
    TOrvaneConfig config;
    config.LoadFromIni(Ini("[HISTORY]\r\nCount=5\r\n0=/a.PT\r\n1=\r\n2=/A.pt\r\n4=/b.PT\r\n"));
    EXPECT_EQ(Entries(*config.History), QStringList({"/a.PT", "/b.PT"}));
}

TEST_F(TConfigTest, WindowBoundsOnlyWhenSaved) {
    TOrvaneConfig off;
    off.X = 7;
    off.LoadFromIni(Ini("[WINDOW]\r\nIsSaveWindowState=0\r\nX=100\r\nY=200\r\n"));
    EXPECT_EQ(off.X, 7);
    EXPECT_FALSE(off.IsSaveWindowState);

    TOrvaneConfig on;
    on.LoadFromIni(
        Ini("[WINDOW]\r\nIsSaveWindowState=1\r\nX=100\r\nY=-20\r\nWidth=640\r\n"
            "[OPENPROJECT]\r\nIsOpenLastProject=1\r\n"));
    EXPECT_EQ(on.X, 100);
    EXPECT_EQ(on.Y, -20);
    EXPECT_EQ(on.Width, 640);
    EXPECT_EQ(on.Height, 0);
    EXPECT_TRUE(on.IsOpenLastProject);
}

TEST_F(TConfigTest, SavingWritesTheLayoutAndMergesIntoTheOldFile) {
    TMemIniFile ini = Ini("[WINDOW]\r\nIsSaveWindowState=1\r\nX=5\r\n[HISTORY]\r\n7=/old\r\n");
    TOrvaneConfig config;
    config.History->Add("/b.PT");
    config.History->Add("/a.PT");
    config.SaveToIni(ini);
    EXPECT_EQ(ini.ToBytes(),
              QByteArray("[WINDOW]\r\nIsSaveWindowState=0\r\nX=5\r\n\r\n"
                         "[HISTORY]\r\n7=/old\r\nCount=2\r\n0=/a.PT\r\n1=/b.PT\r\n\r\n"
                         "[OPENPROJECT]\r\nIsOpenLastProject=0\r\n\r\n"));
}

TEST_F(TConfigTest, FileNameFollowsTheExecutableInTheConfigFolder) {
    const testsupport::TScopedEnv config("XDG_CONFIG_HOME", FDir.Path());
    const QString expected =
        FDir.Path() + "/RavuVededuze/" +
        QFileInfo(QFileInfo("/proc/self/exe").canonicalFilePath()).completeBaseName() + ".INI";
    EXPECT_EQ(TOrvaneConfig().GetFileName(), expected);
    EXPECT_TRUE(expected.endsWith("/RavuVededuze/test_model.INI"));
}

TEST_F(TConfigTest, SaveCreatesTheFolderAndLoadReadsItBack) {
    auto config =
        std::make_unique<testsupport::TScopedEnv>("XDG_CONFIG_HOME", FDir.File("deep/config"));
    TOrvaneConfig saved;
    saved.IsSaveWindowState = true;
    saved.Width = 800;
    saved.IsOpenLastProject = true;
    saved.History->Add("/p.PT");
    EXPECT_TRUE(saved.Save());
    TOrvaneConfig loaded;
    loaded.Load();
    EXPECT_EQ(loaded.Width, 800);
    EXPECT_TRUE(loaded.IsOpenLastProject);
    EXPECT_EQ(Entries(*loaded.History), QStringList({"/p.PT"}));
    // A folder that cannot be made (a file stands in its way) loses the settings silently.
    WriteFile(FDir.File("blocked"), "x");
    config.reset();
    config = std::make_unique<testsupport::TScopedEnv>("XDG_CONFIG_HOME", FDir.File("blocked"));
    EXPECT_FALSE(saved.Save());
}

TEST_F(TConfigTest, LastProjectNeedsAnExistingFile) {
    TConfig::THistoryList h;
    EXPECT_EQ(GetLastProject(h), QString());
    h.Add(FDir.File("gone.PT"));
    EXPECT_EQ(GetLastProject(h), QString());
    WriteFile(FDir.File("here.PT"), "");
    h.Add(FDir.File("here.PT"));
    EXPECT_EQ(GetLastProject(h), FDir.File("here.PT"));
}

TEST(TSpecialFolder, KindsOutsideTheTableAreAnError) {
    for (int kind : {-1, 30, 100}) {
        try {
            TSpecialFolder::GetSpecialFolderPath(kind);
            ADD_FAILURE() << kind;
        } catch (const TError& e) {
            EXPECT_EQ(e.Message(), QString("指定されたコードが見つかりません。"));
        }
    }
    for (int kind = 0; kind < 30; ++kind)
        EXPECT_NO_THROW(TSpecialFolder::GetSpecialFolderPath(kind));
    EXPECT_EQ(TSpecialFolder::GetSpecialFolderPath(2), QString());
}

}  // namespace
