// The HTML preview window without its web view: the source tab, the picture list and the
// picture commands, the page save, and the layout it opens with.

#include <gtest/gtest.h>

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "TCodePage.h"
#include "TDialogScript.h"
#include "THelpViewer.h"
#include "TTestSupport.h"
#include "UnitFormHtmlPreview.h"
#include "UnitFormImagePreview.h"

namespace {

class TFormHtmlPreviewTest : public testing::Test {
protected:
    TFormHtmlPreviewTest() {
        for (const char* name : {"a.jpg", "写真.png", "noext"})
            testsupport::WriteFile(Dir.File(name), QByteArray(name).repeated(3));
    }
    QTreeWidget* List() { return Window.findChild<QTreeWidget*>("ListViewImage"); }
    void SelectRow(int row) { List()->setCurrentItem(List()->topLevelItem(row)); }
    QStringList Row(int row) {
        const QTreeWidgetItem* item = List()->topLevelItem(row);
        return {item->text(0), item->text(1)};
    }

    testsupport::TScratchDir Dir;
    testsupport::TDialogScript Script;
    TFormHtmlPreview Window{nullptr};
};

TEST_F(TFormHtmlPreviewTest, OpensOnTheSourceWithTheCommandsInPlace) {
    Window.SetHtml(QStringLiteral("<p>本文</p>\r\n"), 932);
    EXPECT_EQ(Window.windowTitle(), QStringLiteral("HTMLプレビュー"));
    EXPECT_EQ(Window.findChild<QTabWidget*>("PageControlMain")->currentIndex(), 0);
    EXPECT_EQ(Window.findChild<QPlainTextEdit*>("RichEditHtml")->toPlainText(),
              QStringLiteral("<p>本文</p>\n"));
    EXPECT_TRUE(Window.findChild<QPlainTextEdit*>("RichEditHtml")->isReadOnly());
    EXPECT_EQ(Window.CodePage(), 932);
    const std::pair<const char*, const char*> actions[] = {
        {"ActionHtmlSaveToFile", "保存(&S)"},
        {"ActionHtmlUploadFtp", "FTPアップロード(&U)"},
        {"ActionImagePreview", "表示(&P)"},
        {"ActionImageSave", "保存(&S)"},
        {"ActionImageFtpUpload", "FTPアップロード(&U)"},
    };
    for (const auto& [name, caption] : actions) {
        auto* action = Window.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), QString::fromUtf8(caption));
        EXPECT_TRUE(action->isEnabled());
    }
    // Both page tabs carry help, upload and save.
    for (const char* name :
         {"BtnHelp1", "BtnHtmlUpload1", "BtnHtmlSave1", "BtnHelp2", "BtnHtmlUpload2",
          "BtnHtmlSave2", "BtnImagePreview", "BtnImageUpload", "BtnImageSave"})
        EXPECT_NE(Window.findChild<QPushButton*>(name), nullptr) << name;
}

TEST_F(TFormHtmlPreviewTest, HelpOpensItsTopic) {
    Window.findChild<QPushButton*>("BtnHelp2")->click();
    ASSERT_NE(THelpViewer::Current(), nullptr);
    EXPECT_TRUE(THelpViewer::Current()->Source().toString().endsWith(
        THelpViewer::TopicPage(TFormHtmlPreview::HelpContext)));
    delete THelpViewer::Current();
}

TEST_F(TFormHtmlPreviewTest, PictureListShowsExistingFilesWithTheirSizes) {
    const QStringList pictures = {Dir.File("写真.png"), Dir.File("gone.jpg"), Dir.File("a.jpg")};
    Window.SetImageFiles(pictures);
    EXPECT_EQ(Window.ImageFiles(), pictures);
    ASSERT_EQ(List()->topLevelItemCount(), 2);
    EXPECT_EQ(Row(0), QStringList({"写真.png", "30"}));
    EXPECT_EQ(Row(1), QStringList({"a.jpg", "15"}));
    EXPECT_EQ(List()->headerItem()->text(1), QStringLiteral("メモリ上のサイズ(byte)"));
    EXPECT_EQ(List()->topLevelItem(0)->textAlignment(1) & Qt::AlignRight, Qt::AlignRight);
    Window.SetImageFiles({});
    EXPECT_EQ(List()->topLevelItemCount(), 0);
}

TEST_F(TFormHtmlPreviewTest, PictureCommandsNeedASelectedRow) {
    Window.SetImageFiles({Dir.File("a.jpg")});
    Window.ActionImagePreviewExecute();
    Window.ActionImageSaveExecute();
    EXPECT_TRUE(Script.FileDialogs.empty());
    EXPECT_TRUE(Script.Dialogs.isEmpty());
}

TEST_F(TFormHtmlPreviewTest, SavingAPictureOffersOnlyItsOwnExtensionAndCopiesIt) {
    struct TCase {
        const char* Name;
        const char* Filter;
        const char* Extension;
    };
    const TCase cases[] = {
        {"a.jpg", ".jpgファイル(*.jpg)|*.jpg", ".jpg"},
        {"noext", "ファイル(*)|*", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Window.SetImageFiles({Dir.File(c.Name)});
        SelectRow(0);
        const QString target = Dir.File(QStringLiteral("copy-") + c.Name);
        testsupport::WriteFile(target, "old");
        Script.AnswerFile(target);
        Window.ActionImageSaveExecute();
        EXPECT_EQ(Script.FileDialogs.back().Filter, QString::fromUtf8(c.Filter));
        EXPECT_EQ(Script.FileDialogs.back().DefaultExtension, QString::fromUtf8(c.Extension));
        EXPECT_EQ(testsupport::ReadFile(target), testsupport::ReadFile(Dir.File(c.Name)));
    }
    EXPECT_EQ(TFormHtmlPreview::PictureSaveFilter("/x/b.Jpeg"), ".Jpegファイル(*.Jpeg)|*.Jpeg");
}

TEST_F(TFormHtmlPreviewTest, ShowingAPictureOpensThePictureWindowOnIt) {
    const QString logo = QStringLiteral(ORVANE_SOURCE_DIR "/examples/pictures/logo.png");
    Window.SetImageFiles({Dir.File("a.jpg"), logo});
    SelectRow(1);
    QString shown;
    Script.AnswerDialog(
        [&](QDialog& dialog) { shown = dynamic_cast<TFormImagePreview&>(dialog).ImageFile(); });
    Q_EMIT List()->itemDoubleClicked(List()->topLevelItem(1), 0);
    EXPECT_EQ(shown, logo);
    EXPECT_EQ(Script.Dialogs, QStringList{"TFormImagePreview"});
}

TEST_F(TFormHtmlPreviewTest, SavesThePageInItsCodePageWithoutBom) {
    const QString text = QStringLiteral("<p>日本語①～</p>\r\n");
    for (const int codePage : {65001, 932, 20932}) {
        Window.SetHtml(text, codePage);
        const QString target = Dir.File(QStringLiteral("page%1.html").arg(codePage));
        Script.AnswerFile(target);
        Window.findChild<QPushButton*>("BtnHtmlSave1")->click();
        EXPECT_EQ(testsupport::ReadFile(target), TCodePage::Encode(text, codePage)) << codePage;
    }
    Script.AnswerFile(std::nullopt);
    Window.ActionHtmlSaveToFileExecute();
    EXPECT_EQ(Script.FileDialogs.size(), 4u);
}

}  // namespace
