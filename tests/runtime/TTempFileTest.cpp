#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "TFileUtility.h"
#include "TTempFile.h"

namespace {

TEST(TTempFile, WithoutExtensionKeepsTheReservedName) {
    QString path;
    {
        const TTempFile file;
        path = file.GetFileName();
        const QFileInfo info(path);
        EXPECT_TRUE(info.isFile());
        EXPECT_EQ(info.size(), 0);
        EXPECT_EQ(info.path() + "/", TFileUtility::GetTempPath());
        EXPECT_TRUE(QRegularExpression("^[0-9A-F]{4}\\.TMP$").match(info.fileName()).hasMatch())
            << path.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(TTempFile, ExtensionReplacesTheReservedOne) {
    QString path;
    {
        const TTempFile file(".html");
        path = file.GetFileName();
        EXPECT_TRUE(QRegularExpression("/[0-9A-F]{4}\\.html$").match(path).hasMatch())
            << path.toStdString();
        EXPECT_TRUE(QFileInfo(path).isFile());
        EXPECT_EQ(QFileInfo(path).size(), 0);
        EXPECT_FALSE(QFileInfo::exists(path.chopped(5) + ".TMP"));
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(TTempFile, FailedRenameKeepsTheReservedFile) {
    QString path;
    {
        // The new name would lie in a folder that does not exist.
        const TTempFile file("/missing/name");
        path = file.GetFileName();
        EXPECT_TRUE(path.endsWith(".TMP")) << path.toStdString();
        EXPECT_TRUE(QFileInfo(path).isFile());
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

}  // namespace
