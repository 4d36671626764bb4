#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "TBase64.h"
#include "TError.h"
#include "TImageFileMaker.h"
#include "TOutputData.h"
#include "TPictureLoader.h"
#include "TTestPictures.h"
#include "TTestSupport.h"

using namespace testsupport;

namespace {

QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TError& error) {
        return error.Message();
    }
    return {};
}

QString Folder(const TScratchDir& dir) {
    return dir.Path() + "/";
}

TEST(TImageFileMaker, ChoosesTheFormatByTheUpperCasedExtension) {
    TScratchDir dir;
    const QImage picture = MakeDetailedPicture(20, 10);
    const std::pair<const char*, QByteArray> cases[] = {
        {"a.png", "\x89PNG"},       {"b.GIF", "GIF8"}, {"c.jpg", "\xFF\xD8\xFF"},
        {"d.Jpeg", "\xFF\xD8\xFF"}, {"e.BmP", "BM"},   {"f.x.png", "\x89PNG"},
        {"g.png.gif", "GIF8"},
    };
    for (const auto& [name, magic] : cases) {
        TImageFileMaker::SavePictureToFile(dir.File(name), picture);
        EXPECT_TRUE(ReadFile(dir.File(name)).startsWith(magic)) << name;
        EXPECT_EQ(TPictureLoader::Load(dir.File(name)).size(), picture.size()) << name;
    }
    // Lossless formats give the picture back exactly.
    EXPECT_EQ(TPictureLoader::Load(dir.File("a.png")), picture);
    EXPECT_EQ(TPictureLoader::Load(dir.File("e.BmP")), picture);
}

TEST(TImageFileMaker, UnknownExtensionsIconsAndMetafilesWriteNothing) {
    TScratchDir dir;
    const QImage picture = MakeDetailedPicture(4, 4);
    const std::pair<const char*, const char*> cases[] = {
        {"a.txt", "拡張子から画像形式が判定できません。"},
        {"noextension", "拡張子から画像形式が判定できません。"},
        {"dot.", "拡張子から画像形式が判定できません。"},
        {"x.png.d/file", "拡張子から画像形式が判定できません。"},
        {"b.ico", "ビットマップをアイコン(ICO)またはメタファイル(EMF)に変換することはできません。"},
        {"c.EMF", "ビットマップをアイコン(ICO)またはメタファイル(EMF)に変換することはできません。"},
    };
    for (const auto& [name, message] : cases) {
        EXPECT_EQ(ErrorOf([&] { TImageFileMaker::SavePictureToFile(dir.File(name), picture); }),
                  QString(message))
            << name;
    }
    EXPECT_TRUE(QDir(dir.Path()).isEmpty());
}

TEST(TImageFileMaker, AFailedStoreLeavesTheOldFileAlone) {
    TScratchDir dir;
    WriteFile(dir.File("old.png"), "old bytes");
    EXPECT_THROW(TImageFileMaker::SavePictureToFile(dir.File("old.png"), QImage()), TError);
    EXPECT_EQ(ReadFile(dir.File("old.png")), QByteArray("old bytes"));
    // A folder in the way: the picture is written aside, then cannot replace it.
    QDir(dir.Path()).mkdir("taken.png");
    const QString message = ErrorOf([&] {
        TImageFileMaker::SavePictureToFile(dir.File("taken.png"), MakeDetailedPicture(4, 4));
    });
    EXPECT_TRUE(message.contains(dir.File("taken.png"))) << message.toStdString();
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList({"old.png"}));  // no leftovers
}

TEST(TImageFileMaker, WriteBase64ReplacesTheFileAndNamesItOnFailure) {
    TScratchDir dir;
    WriteFile(dir.File("p.bin"), QByteArray(100, 'x'));
    const QByteArray bytes("\x00\x01\xFFzz", 5);
    TImageFileMaker::WriteBase64ToFile(dir.File("p.bin"),
                                       QString::fromLatin1(TBase64::Encode(bytes)));
    EXPECT_EQ(ReadFile(dir.File("p.bin")), bytes);

    const QString missing = dir.File("no-such-folder/p.bin");
    const QString message = ErrorOf([&] { TImageFileMaker::WriteBase64ToFile(missing, "AAAA"); });
    EXPECT_TRUE(message.contains(missing)) << message.toStdString();
    EXPECT_TRUE(message.contains("作成できません")) << message.toStdString();
}

TEST(TImageFileMaker, MakeImageFilesWritesPicturesInTagNameOrder) {
    TScratchDir dir;
    TOutputDataMap map;
    map.Insert("b", {"b.png", "b.png", "YmJi"});
    map.Insert("a", {"a.gif", "a.gif", "YWFh"});
    map.Insert("text", {"just text", "", ""});
    map.Insert("c", {"b.png", "b.png", "Y2Nj"});  // the same file as "b": written after it
    map.Insert("noData", {"n.png", "n.png", ""});
    const QStringList paths = TImageFileMaker::MakeImageFiles(map, Folder(dir));
    EXPECT_EQ(paths,
              QStringList({Folder(dir) + "a.gif", Folder(dir) + "b.png", Folder(dir) + "b.png"}));
    EXPECT_EQ(ReadFile(dir.File("a.gif")), QByteArray("aaa"));
    EXPECT_EQ(ReadFile(dir.File("b.png")), QByteArray("ccc"));
    EXPECT_FALSE(QFile::exists(dir.File("n.png")));

    TOutputDataMap none;
    none.Insert("t", {"x", "", ""});
    EXPECT_TRUE(TImageFileMaker::MakeImageFiles(none, Folder(dir)).isEmpty());
}

TEST(TImageFileMaker, FileNamesLeavingTheFolderAreRefusedBeforeAnythingIsWritten) {
    const struct {
        const char* FileName;
        const char* Message;
    } cases[] = {
        {"", "写真の画像ファイル名が入力されていません。"},
        {"../up.png",
         "写真の画像ファイル名「../up.png」にはフォルダーの区切り（/ や \\）を使えません。"},
        {"sub/x.png",
         "写真の画像ファイル名「sub/x.png」にはフォルダーの区切り（/ や \\）を使えません。"},
        {"a\\b.png",
         "写真の画像ファイル名「a\\b.png」にはフォルダーの区切り（/ や \\）を使えません。"},
        {".", "写真の画像ファイル名「.」は使えません。"},
        {"..", "写真の画像ファイル名「..」は使えません。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorOf([&] { TImageFileMaker::CheckOutputFileName("写真", c.FileName); }),
                  QString(c.Message))
            << c.FileName;
        TScratchDir dir;
        QDir(dir.Path()).mkdir("sub");
        TOutputDataMap map;
        map.Insert("a", {"fine.png", "fine.png", "YWFh"});  // comes first, still not written
        map.Insert("b", {c.FileName, c.FileName, "YmJi"});
        EXPECT_THROW(TImageFileMaker::MakeImageFiles(map, Folder(dir) + "sub/"), TError)
            << c.FileName;
        EXPECT_TRUE(QDir(dir.File("sub")).isEmpty()) << c.FileName;
        EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files).size(), 0) << c.FileName;
    }
    EXPECT_NO_THROW(TImageFileMaker::CheckOutputFileName("写真", "..png"));
}

TEST(TImageFileMaker, ANameThatCannotBeCreatedFailsNamingTheFile) {
    TScratchDir dir;
    TOutputDataMap map;
    map.Insert("a", {"a.png", "a.png", "YWFh"});
    const QString folder = dir.File("missing") + "/";
    const QString message = ErrorOf([&] { TImageFileMaker::MakeImageFiles(map, folder); });
    EXPECT_TRUE(message.contains(folder + "a.png")) << message.toStdString();
}

}  // namespace
