#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>

#include "TBase64.h"
#include "TError.h"
#include "TImageFileMaker.h"
#include "TInputData.h"
#include "TInputImage.h"
#include "TPictureLoader.h"
#include "TTestSupport.h"

using testsupport::ReadFile;
using testsupport::TScratchDir;

namespace {

QByteArray Decoded(const TOutputData& out) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    TBase64::DecodeToStream(out.FileData.toLatin1(), buffer);
    return buffer.data();
}

class TInputDataImageTest : public testing::Test {
protected:
    void SetUp() override {
        QImage picture(400, 300, QImage::Format_RGB32);
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 400; ++x)
                picture.setPixel(x, y, qRgb(x % 256, y % 256, 90));
        }
        FJpeg = FDir.File("source.jpg");
        TImageFileMaker::SavePictureToFile(FJpeg, picture);
        FItem.SetCaption("写真");
    }
    TOutputData Convert(const QString& path, const QString& name) {
        return TInputDataImage(&FItem, path, name).CreateOutputData();
    }
    QString ErrorOf(const QString& path, const QString& name) {
        try {
            Convert(path, name);
        } catch (const TError& e) {
            return e.Message();
        }
        return QString();
    }

    TScratchDir FDir;
    QString FJpeg;
    TInputImage FItem;
};

TEST_F(TInputDataImageTest, WithoutZoomTheSourceBytesTravelUnchangedUnderAnyName) {
    for (const QString name : {"photo.png", "notes.txt", "写真.jpeg"}) {
        const TOutputData out = Convert(FJpeg, name);
        EXPECT_EQ(out.Text, name);
        EXPECT_EQ(out.FileName, name);
        EXPECT_EQ(Decoded(out), ReadFile(FJpeg));
    }
}

TEST_F(TInputDataImageTest, WithZoomTheExtensionChoosesTheFormatOfTheShrunkPicture) {
    FItem.ZoomOutImage = true;
    const TOutputData out = Convert(FJpeg, "small.png");
    const QByteArray bytes = Decoded(out);
    EXPECT_TRUE(bytes.startsWith("\x89PNG\r\n\x1a\n"));
    const QImage shrunk = TPictureLoader::Decode(bytes);
    EXPECT_EQ(shrunk.size(), QSize(100, 75));
}

TEST_F(TInputDataImageTest, FailuresCarryTheirMessages) {
    FItem.ZoomOutImage = true;
    EXPECT_EQ(ErrorOf(FJpeg, "page.txt"), QString("拡張子から画像形式が判定できません。"));
    EXPECT_FALSE(ErrorOf(FDir.File("missing.jpg"), "a.png").isEmpty());
    FItem.ZoomOutImage = false;
    EXPECT_FALSE(ErrorOf(FDir.File("missing.jpg"), "a.png").isEmpty());
}

TEST_F(TInputDataImageTest, NamesThatLeaveTheFolderAreRefusedBeforeAnythingIsWritten) {
    for (const QString name : {"../escape.jpg", "sub/a.jpg", "a\\b.jpg", "..", ".", ""}) {
        const QString message = ErrorOf(FJpeg, name);
        EXPECT_TRUE(message.contains("写真")) << name.toStdString() << " " << message.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(QDir::tempPath() + "/escape.jpg"));
}

TEST_F(TInputDataImageTest, ScratchFoldersAreRemovedAfterEveryConversion) {
    // A temporary folder of this test's own, so other tests running at the same time do not
    // show up in it.
    ASSERT_TRUE(QDir().mkpath(FDir.File("tmp")));
    const testsupport::TScopedEnv tmp("TMPDIR", FDir.File("tmp"));
    Convert(FJpeg, "a.jpg");
    FItem.ZoomOutImage = true;
    ErrorOf(FJpeg, "bad.txt");
    EXPECT_TRUE(QDir(FDir.File("tmp")).isEmpty());
}

}  // namespace
