#include <gtest/gtest.h>

#include <QDir>

#include "TError.h"
#include "THtmlTemplate.h"
#include "TImageFileMaker.h"
#include "TInputData.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TPageGeneration.h"
#include "TTestSupport.h"

using testsupport::ReadFile;
using testsupport::TScratchDir;

namespace {

class TPageGenerationTest : public testing::Test {
protected:
    void SetUp() override {
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(qRgb(10, 200, 30));
        FSource = FScratch.File("source.png");
        TImageFileMaker::SavePictureToFile(FSource, picture);
        FOut = FScratch.File("out/");
        ASSERT_TRUE(QDir().mkpath(FOut));
    }
    void AddImage(const QString& tag, const QString& file, bool zoom) {
        TInputImage item;
        item.SetName(tag);
        item.ZoomOutImage = zoom;
        FValues.Insert(tag, std::make_unique<TInputDataImage>(&item, FSource, file));
    }
    void AddText(const QString& tag, const QString& text) {
        TInputEdit item;
        item.SetName(tag);
        FValues.Insert(tag, std::make_unique<TInputDataEdit>(&item, text));
    }

    TScratchDir FScratch;
    QString FSource;
    QString FOut;
    TInputDataMap FValues;
};

TEST_F(TPageGenerationTest, TemplateWithoutTagsComesBackNormalised) {
    const TGeneratedPage page = GeneratePage(THtmlTemplate("t", 0, "a\nb\rc"), FValues, FOut);
    EXPECT_EQ(page.Text, QString("a\r\nb\r\nc\r\n"));
    EXPECT_EQ(page.CodePage, 65001);
    EXPECT_TRUE(page.Pictures.isEmpty());
}

TEST_F(TPageGenerationTest, TextValuesLeaveTheFolderEmpty) {
    AddText("title", "<題名>");
    const TGeneratedPage page =
        GeneratePage(THtmlTemplate("t", 1, "<h1><#p name=title></h1>"), FValues, FOut);
    EXPECT_EQ(page.Text, QString("<h1>&lt;題名&gt;</h1>\r\n"));
    EXPECT_EQ(page.CodePage, 932);
    EXPECT_TRUE(page.Pictures.isEmpty());
    EXPECT_TRUE(QDir(FOut).isEmpty());
}

TEST_F(TPageGenerationTest, PicturesAreListedByTagNameNotByInsertion) {
    AddImage("zeta", "z.png", false);
    AddImage("alpha", "a.png", true);
    const TGeneratedPage page = GeneratePage(
        THtmlTemplate("t", 2, "<img src=\"<#p name=alpha>\"><#p name=zeta>"), FValues, FOut);
    EXPECT_EQ(page.Text, QString("<img src=\"a.png\">z.png\r\n"));
    EXPECT_EQ(page.CodePage, 20932);
    EXPECT_EQ(page.Pictures, QStringList({FOut + "a.png", FOut + "z.png"}));
    EXPECT_EQ(ReadFile(FOut + "z.png"), ReadFile(FSource));
}

TEST_F(TPageGenerationTest, UnknownExtensionFailsOnlyWhenThePictureIsConverted) {
    AddImage("copy", "copied.dat", false);
    const TGeneratedPage page = GeneratePage(THtmlTemplate("t", 0, "x"), FValues, FOut);
    EXPECT_EQ(page.Pictures, QStringList({FOut + "copied.dat"}));

    AddImage("shrunk", "shrunk.dat", true);
    try {
        GeneratePage(THtmlTemplate("t", 0, "x"), FValues, FScratch.File("out2/"));
        ADD_FAILURE() << "no error";
    } catch (const TError& e) {
        EXPECT_EQ(e.Message(), QString("拡張子から画像形式が判定できません。"));
    }
    EXPECT_FALSE(QFileInfo::exists(FScratch.File("out2")));
}

}  // namespace
