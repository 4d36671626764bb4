#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>

#include "TError.h"
#include "TFileUtility.h"
#include "TTestSupport.h"

using testsupport::Hex;
using testsupport::ReadFile;
using testsupport::TScopedEnv;
using testsupport::TScratchDir;
using testsupport::WriteFile;

namespace {

constexpr QFile::Permissions ForOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                         QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TError& e) {
        return e.Message();
    }
    return QString();
}

TEST(TFileUtility, GetTempPathIsTheSystemTemporaryFolderWithASeparator) {
    TScratchDir scratch;
    TScopedEnv tmpdir("TMPDIR", scratch.Path());
    EXPECT_EQ(TFileUtility::GetTempPath(), scratch.Path() + "/");
}

TEST(TFileUtility, CreateTempFileNamesAndReservesAnEmptyFile) {
    TScratchDir scratch;
    const struct {
        const char* Prefix;
        const char* Pattern;
    } cases[] = {
        {"", "^[0-9A-F]{4}\\.TMP$"},
        {"AB", "^AB[0-9A-F]{4}\\.TMP$"},
        {"ABCDEF", "^ABC[0-9A-F]{4}\\.TMP$"},
        {"日本語テキスト", "^日本語[0-9A-F]{4}\\.TMP$"},
    };
    for (const auto& c : cases) {
        for (const QString& folder : {scratch.Path(), scratch.Path() + "/"}) {
            const QString path = TFileUtility::CreateTempFile(folder, QString::fromUtf8(c.Prefix));
            const QFileInfo info(path);
            EXPECT_TRUE(info.isFile()) << path.toStdString();
            EXPECT_EQ(info.size(), 0);
            EXPECT_EQ(info.absolutePath(), scratch.Path());
            EXPECT_EQ(path, info.absoluteFilePath());
            EXPECT_TRUE(
                QRegularExpression(QString::fromUtf8(c.Pattern)).match(info.fileName()).hasMatch())
                << path.toStdString();
            EXPECT_EQ(info.permissions() & ForOthers, QFile::Permissions());
        }
    }
}

TEST(TFileUtility, CreateTempFileWithoutAFolderUsesTheTemporaryFolder) {
    TScratchDir scratch;
    TScopedEnv tmpdir("TMPDIR", scratch.Path());
    const QString path = TFileUtility::CreateTempFile();
    EXPECT_EQ(QFileInfo(path).path() + "/", TFileUtility::GetTempPath());
    EXPECT_TRUE(QFileInfo(path).isFile());
}

TEST(TFileUtility, CreateTempFileTriesEveryNumberAndThenFails) {
    TScratchDir scratch;
    // Every name but one is taken: that one must be found, and after it nothing is left.
    const int free = 0x7A3C;
    for (int number = 1; number <= 0xFFFF; ++number) {
        if (number != free) {
            QFile(scratch.File(QString("Q%1.TMP").arg(number, 4, 16, QChar('0')).toUpper()))
                .open(QIODevice::WriteOnly);
        }
    }
    EXPECT_EQ(TFileUtility::CreateTempFile(scratch.Path(), "Q"), scratch.File("Q7A3C.TMP"));
    EXPECT_EQ(ErrorOf([&] { TFileUtility::CreateTempFile(scratch.Path(), "Q"); }),
              QString::fromUtf8("一時ファイルの作成に失敗しました。"));
}

TEST(TFileUtility, CreateTempFileInAMissingFolderFails) {
    TScratchDir scratch;
    EXPECT_EQ(ErrorOf([&] { TFileUtility::CreateTempFile(scratch.File("missing"), "X"); }),
              QString::fromUtf8("一時ファイルの作成に失敗しました。"));
}

// A file "a", a folder "b" with a file and a nested folder inside.
void MakeTree(const TScratchDir& scratch) {
    WriteFile(scratch.File("a"), "a");
    QDir(scratch.Path()).mkpath("b/sub/deeper");
    WriteFile(scratch.File("b/c"), "c");
    WriteFile(scratch.File("b/sub/deeper/d"), "d");
}

TEST(TFileUtility, DeleteFilesRemovesTheExistingPathsAndSkipsTheOthers) {
    TScratchDir scratch;
    MakeTree(scratch);
    EXPECT_TRUE(TFileUtility::DeleteFiles(
        {scratch.File("missing"), scratch.File("a"), "", scratch.File("b") + "/"}, false));
    EXPECT_TRUE(
        QDir(scratch.Path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_TRUE(TFileUtility::DeleteFiles({scratch.File("missing")}, false));
    EXPECT_TRUE(TFileUtility::DeleteFiles({}, false));
}

TEST(TFileUtility, DeleteFileOfALinkToAFolderLeavesTheTargetAlone) {
    TScratchDir scratch;
    MakeTree(scratch);
    ASSERT_TRUE(QFile::link(scratch.File("b"), scratch.File("link")));
    EXPECT_TRUE(TFileUtility::DeleteFile(scratch.File("link") + "/", false));
    EXPECT_FALSE(QFileInfo(scratch.File("link")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(scratch.File("b/sub/deeper/d")));
    // A link whose target is gone is still something to delete.
    ASSERT_TRUE(QFile::link(scratch.File("gone"), scratch.File("dangling")));
    EXPECT_TRUE(TFileUtility::DeleteFile(scratch.File("dangling"), false));
    EXPECT_FALSE(QFileInfo(scratch.File("dangling")).isSymLink());
}

TEST(TFileUtility, DeleteFilesToTheTrash) {
    TScratchDir scratch;
    MakeTree(scratch);
    const QString home = scratch.File("home");
    QDir().mkpath(home);
    // Home and data folder on the same file system as the files, so the home trash is used.
    TScopedEnv homeEnv("HOME", home);
    TScopedEnv dataEnv("XDG_DATA_HOME", home + "/data");
    EXPECT_TRUE(
        TFileUtility::DeleteFiles({scratch.File("a"), scratch.File("b"), scratch.File("x")}, true));
    EXPECT_FALSE(QFileInfo::exists(scratch.File("a")));
    EXPECT_FALSE(QFileInfo::exists(scratch.File("b")));
    EXPECT_TRUE(QFileInfo::exists(home + "/data/Trash/files/a"));
    EXPECT_TRUE(QFileInfo::exists(home + "/data/Trash/files/b/sub/deeper/d"));
}

TEST(TFileUtility, DeleteFilesToATrashThatCannotBeMadeFails) {
    TScratchDir scratch;
    MakeTree(scratch);
    const QString working = QDir::currentPath();
    QDir::setCurrent(scratch.Path());
    {
        // The data folder would have to lie below a file.
        TScopedEnv homeEnv("HOME", scratch.Path());
        TScopedEnv dataEnv("XDG_DATA_HOME", scratch.File("a/data"));
        EXPECT_FALSE(TFileUtility::DeleteFile(scratch.File("b"), true));
    }
    QDir::setCurrent(working);
    EXPECT_TRUE(QFileInfo::exists(scratch.File("b/sub/deeper/d")));
    EXPECT_FALSE(QFileInfo::exists(scratch.File("files")));
}

TEST(TFileUtility, GetFileSize) {
    TScratchDir scratch;
    WriteFile(scratch.File("empty"), "");
    WriteFile(scratch.File("five"), "12345");
    QDir(scratch.Path()).mkdir("folder");
    const std::pair<QString, qint64> cases[] = {
        {scratch.File("missing"), 0},
        {scratch.File("empty"), 0},
        {scratch.File("five"), 5},
        {scratch.File("folder"), 0},
        {"", 0},
    };
    for (const auto& [path, size] : cases) {
        EXPECT_EQ(TFileUtility::GetFileSize(path), size) << path.toStdString();
    }
}

TEST(TFileUtility, GetFileSizeIsSixtyFourBit) {
    TScratchDir scratch;
    QFile file(scratch.File("sparse"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // A sparse file: no disk space is used.
    const qint64 size = qint64(5) << 30;
    ASSERT_TRUE(file.resize(size));
    file.close();
    EXPECT_EQ(TFileUtility::GetFileSize(scratch.File("sparse")), size);
}

TEST(TFileUtility, SaveTextToFileWritesTheCodePageWithoutAByteOrderMark) {
    TScratchDir scratch;
    const QString text = QString::fromUtf8("日本語\r\nabc\n");
    const std::pair<int, const char*> cases[] = {
        {65001, "E6 97 A5 E6 9C AC E8 AA 9E 0D 0A 61 62 63 0A"},
        {932, "93 FA 96 7B 8C EA 0D 0A 61 62 63 0A"},
        {20932, "C6 FC CB DC B8 EC 0D 0A 61 62 63 0A"},
    };
    for (const auto& [codePage, bytes] : cases) {
        const QString path = scratch.File(QString::number(codePage));
        // A longer file that stood there before is replaced, not appended to.
        WriteFile(path, QByteArray(100, 'x'));
        TFileUtility::SaveTextToFile(path, text, codePage);
        EXPECT_EQ(ReadFile(path), Hex(bytes)) << codePage;
    }
}

TEST(TFileUtility, SaveTextToFileReplacesWhatTheCodePageCannotHold) {
    TScratchDir scratch;
    TFileUtility::SaveTextToFile(scratch.File("p"), QString::fromUtf8("a😀b"), 932);
    EXPECT_EQ(ReadFile(scratch.File("p")), QByteArray("a?b"));
}

TEST(TFileUtility, SaveTextToFileNamesTheFileWhenItCannotBeCreated) {
    TScratchDir scratch;
    const QString path = scratch.File("missing/page.html");
    const QString message = ErrorOf([&] { TFileUtility::SaveTextToFile(path, "x", 65001); });
    EXPECT_TRUE(
        message.startsWith(QString::fromUtf8("ファイル \"%1\" を作成できません。").arg(path)))
        << message.toStdString();
    // The system's reason follows.
    EXPECT_GT(message.size(),
              QString::fromUtf8("ファイル \"%1\" を作成できません。").arg(path).size());
    // A relative name is reported in full.
    const QString working = QDir::currentPath();
    QDir::setCurrent(scratch.Path());
    const QString relative =
        ErrorOf([&] { TFileUtility::SaveTextToFile("missing/page.html", "x", 65001); });
    QDir::setCurrent(working);
    EXPECT_TRUE(relative.contains(path)) << relative.toStdString();
}

TEST(TFileUtility, SaveTextToFileReportsAFailedWrite) {
    if (!QFileInfo::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    const QString message = ErrorOf([] { TFileUtility::SaveTextToFile("/dev/full", "x", 65001); });
    EXPECT_TRUE(message.startsWith(QString::fromUtf8("ファイル \"/dev/full\" に書き込めません。")))
        << message.toStdString();
}

}  // namespace
