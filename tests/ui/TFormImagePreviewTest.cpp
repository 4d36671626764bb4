// The picture window: the display rule in both modes, the mode actions, loading, and saving
// through the picture writer.

#include <gtest/gtest.h>

#include <QAction>
#include <QImageWriter>

#include "TDialogScript.h"
#include "TError.h"
#include "TPictureLoader.h"
#include "TPictureView.h"
#include "TTestPictures.h"
#include "TTestSupport.h"
#include "UnitFormImagePreview.h"

namespace {

TEST(TPictureViewTest, PlacesPicturesByTheDisplayRule) {
    struct TCase {
        QSize Picture;
        QSize Area;
        bool Fit;
        QRect Expected;
    };
    const TCase cases[] = {
        // Smaller than the area: own size when not fitting, enlarged when fitting.
        {{100, 50}, {426, 300}, false, {163, 125, 100, 50}},
        {{100, 50}, {426, 300}, true, {0, 43, 426, 213}},
        {{50, 200}, {400, 300}, false, {175, 50, 50, 200}},
        {{50, 200}, {400, 300}, true, {162, 0, 75, 300}},
        {{400, 300}, {400, 300}, false, {0, 0, 400, 300}},
        // Larger: scaled down in both modes, the limiting side decides.
        {{800, 600}, {400, 300}, false, {0, 0, 400, 300}},
        {{1000, 100}, {400, 300}, false, {0, 130, 400, 40}},
        {{500, 400}, {400, 100}, true, {137, 0, 125, 100}},
        {{500, 500}, {400, 300}, false, {50, 0, 300, 300}},
        {{100, 200}, {50, 300}, true, {0, 100, 50, 100}},
        {{3, 7}, {100, 100}, true, {29, 0, 42, 100}},
        {{401, 300}, {400, 300}, false, {0, 0, 400, 299}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(TPictureView::PlacePicture(c.Picture, c.Area, c.Fit), c.Expected)
            << c.Picture.width() << "x" << c.Picture.height() << " fit " << c.Fit;
    }
}

class TFormImagePreviewTest : public testing::Test {
protected:
    TFormImagePreviewTest() {
        Picture = Dir.File("p.png");
        testsupport::MakeDetailedPicture(60, 40).save(Picture, "PNG");
    }
    QAction* Action(const char* name) { return Window.findChild<QAction*>(name); }
    TPictureView* View() { return Window.findChild<TPictureView*>("Image1"); }

    testsupport::TScratchDir Dir;
    testsupport::TDialogScript Script;
    TFormImagePreview Window{nullptr};
    QString Picture;
};

TEST_F(TFormImagePreviewTest, ModesSwitchTheRuleAndTheCheckedAction) {
    Window.SetImageFile(Picture);
    Window.show();
    EXPECT_EQ(Window.windowTitle(), QStringLiteral("画像プレビュー"));
    EXPECT_TRUE(Action("ActionShowRealSize")->isChecked());
    EXPECT_FALSE(Action("ActionShowWindowSize")->isChecked());
    EXPECT_EQ(View()->PictureRect().size(), QSize(60, 40));
    Action("ActionShowWindowSize")->trigger();
    EXPECT_FALSE(Action("ActionShowRealSize")->isChecked());
    EXPECT_TRUE(Action("ActionShowWindowSize")->isChecked());
    EXPECT_EQ(View()->PictureRect(), TPictureView::PlacePicture({60, 40}, View()->size(), true));
    EXPECT_GT(View()->PictureRect().width(), 60);
    // Resizing follows the window.
    Window.resize(Window.width() + 100, Window.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(View()->PictureRect(), TPictureView::PlacePicture({60, 40}, View()->size(), true));
    Action("ActionShowRealSize")->trigger();
    EXPECT_EQ(View()->PictureRect().size(), QSize(60, 40));
    // Triggering the checked mode again keeps it checked.
    Action("ActionShowRealSize")->trigger();
    EXPECT_TRUE(Action("ActionShowRealSize")->isChecked());
}

TEST_F(TFormImagePreviewTest, LoadsIconsAndRefusesWhatIsNoPicture) {
    const QString icon = Dir.File("i.ico");
    QImageWriter writer(icon, "ico");
    ASSERT_TRUE(writer.write(testsupport::MakeDetailedPicture(32, 32)));
    Window.SetImageFile(icon);
    EXPECT_EQ(View()->Picture().size(), QSize(32, 32));
    EXPECT_EQ(Window.ImageFile(), icon);
    testsupport::WriteFile(Dir.File("t.jpg"), "text");
    EXPECT_THROW(Window.SetImageFile(Dir.File("t.jpg")), TError);
    EXPECT_EQ(Window.ImageFile(), icon);
}

TEST_F(TFormImagePreviewTest, SavesInTheFormatOfTheChosenExtension) {
    Window.SetImageFile(Picture);
    for (const char* name : {"a.PNG", "b.jpg", "c.jpeg", "d.gif", "e.bmp"}) {
        const QString target = Dir.File(name);
        Script.AnswerFile(target);
        Window.ActionSaveToFileExecute();
        EXPECT_EQ(TPictureLoader::Load(target).size(), QSize(60, 40)) << name;
    }
    EXPECT_EQ(Script.FileDialogs.back().Mode, TFileDialog::TMode::Save);
    EXPECT_EQ(Script.FileDialogs.back().DefaultExtension, QStringLiteral(".png"));
    EXPECT_EQ(Script.FileDialogs.back().Filter, TFormImagePreview::SaveFilter());
    const std::pair<const char*, const char*> refused[] = {
        {"f.txt", "拡張子から画像形式が判定できません。"},
        {"g.ico", "ICO"},
    };
    for (const auto& [name, message] : refused) {
        Script.AnswerFile(Dir.File(name));
        try {
            Window.ActionSaveToFileExecute();
            ADD_FAILURE() << name;
        } catch (const TError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(message))) << name;
        }
        EXPECT_FALSE(QFileInfo::exists(Dir.File(name)));
    }
    Script.AnswerFile(std::nullopt);
    EXPECT_NO_THROW(Window.ActionSaveToFileExecute());
}

}  // namespace
