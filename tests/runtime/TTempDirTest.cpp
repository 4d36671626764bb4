#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "TFileUtility.h"
#include "TTempDir.h"
#include "TTestSupport.h"

namespace {

TEST(TTempDir, TwoFoldersInsideTheTemporaryFolderGoneAfterwards) {
    QString first, second;
    {
        const TTempDir a;
        const TTempDir b;
        first = a.GetPath();
        second = b.GetPath();
        EXPECT_NE(first, second);
        for (const QString& path : {first, second}) {
            EXPECT_TRUE(path.endsWith("/")) << path.toStdString();
            EXPECT_TRUE(path.startsWith(TFileUtility::GetTempPath())) << path.toStdString();
            EXPECT_EQ(path.count(u'/'), TFileUtility::GetTempPath().count(u'/') + 1);
            EXPECT_TRUE(QFileInfo(path).isDir());
            EXPECT_EQ(QFileInfo(path).permissions() &
                          (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
                      QFile::Permissions());
        }
    }
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_FALSE(QFileInfo::exists(second));
}

TEST(TTempDir, RemovesEverythingInside) {
    QString path;
    {
        const TTempDir dir;
        path = dir.GetPath();
        ASSERT_TRUE(QDir(path).mkpath("pictures/small"));
        testsupport::WriteFile(path + "page.html", "<p>");
        testsupport::WriteFile(path + "pictures/a.png", "png");
        testsupport::WriteFile(path + "pictures/small/.hidden", "");
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

}  // namespace
