// The preview command through the main window: its two checks, a fresh temporary folder per
// preview that is gone once the window closes or an error leaves, and the page saved from
// the preview byte for byte as orvane-make writes it.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "TCommandRun.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TInputPaneFixture.h"
#include "TProject.h"
#include "UnitFormHtmlPreview.h"
#include "UnitFrameInputItemList.h"

namespace {

using testsupport::TInputPaneFixture;

class TPreviewCommandTest : public TInputPaneFixture {
protected:
    // A project with one template and the given items, saved and opened.
    void OpenProjectWith(std::vector<std::unique_ptr<TInputBase>> items, bool withTemplate = true) {
        TProject project;
        for (auto& item : items)
            project.InputItems.Add(std::move(item));
        if (withTemplate) {
            project.HtmlTemplates.Add(std::make_unique<THtmlTemplate>(
                QStringLiteral("t"), THtmlTemplate::CharCodeUtf8,
                QStringLiteral("<p><#p name=a></p><img src=\"<#p name=pic>\">\r\n")));
        }
        const QString path = Scratch.File(QStringLiteral("p.PT"));
        project.SaveToFile(path);
        OpenProject(path);
        EnterInputTab();
    }

    // Runs the preview; the preview window, when it comes, is looked at and closed.
    void Preview(std::function<void(TFormHtmlPreview&)> look = {}) {
        if (look) {
            Script.AnswerDialog(
                [look](QDialog& dialog) { look(dynamic_cast<TFormHtmlPreview&>(dialog)); });
        }
        TriggerThroughEventLoop("ActionInputPreviewHtml");
    }
};

std::unique_ptr<TInputEdit> Edit(const char* name, const char* caption, bool required) {
    auto item = std::make_unique<TInputEdit>();
    item->SetName(QString::fromUtf8(name));
    item->SetCaption(QString::fromUtf8(caption));
    item->Required = required;
    return item;
}

std::unique_ptr<TInputImage> Image(const char* name, bool zoomOut) {
    auto item = std::make_unique<TInputImage>();
    item->SetName(QString::fromUtf8(name));
    item->SetCaption(QStringLiteral("写真"));
    item->ZoomOutImage = zoomOut;
    return item;
}

TEST_F(TPreviewCommandTest, WithoutATemplateOnlyThatWarningAndNoFolder) {
    std::vector<std::unique_ptr<TInputBase>> items;
    items.push_back(Edit("a", "名前", true));  // would fail its check too
    OpenProjectWith(std::move(items), false);
    Script.AnswerMessage(TMessageBox::TAnswer::Ok);
    Preview();
    EXPECT_EQ(Script.MessageTexts(),
              QStringList{QStringLiteral("テンプレートが選択されていません。")});
    EXPECT_EQ(Script.Messages[0].Kind, TMessageBox::TKind::Warning);
    EXPECT_TRUE(Script.Dialogs.isEmpty());
    EXPECT_TRUE(TempEntries().isEmpty());
}

TEST_F(TPreviewCommandTest, AFailingCheckShowsItsMessageOnly) {
    std::vector<std::unique_ptr<TInputBase>> items;
    items.push_back(Edit("a", "名前", false));
    items.push_back(Edit("b", "住所", true));
    items.push_back(Edit("c", "電話", true));
    OpenProjectWith(std::move(items));
    Script.AnswerMessage(TMessageBox::TAnswer::Ok);
    Preview();
    EXPECT_EQ(Script.MessageTexts(), QStringList{QStringLiteral("住所が入力されていません。")});
    EXPECT_TRUE(Script.Dialogs.isEmpty());
    EXPECT_TRUE(TempEntries().isEmpty());
    // The entries stay as they were.
    EXPECT_EQ(Control<QLineEdit>(0, "Edit")->text(), QString());
}

TEST_F(TPreviewCommandTest, AProjectWithoutItemsStillPreviewsInAFolderOfItsOwn) {
    OpenProjectWith({});
    QString folder;
    Preview([&](TFormHtmlPreview& window) {
        EXPECT_EQ(window.Html(), QStringLiteral("<p></p><img src=\"\">\r\n"));
        EXPECT_TRUE(window.ImageFiles().isEmpty());
        EXPECT_EQ(window.FtpConfig(), &Window().Project().FtpConfig);
        ASSERT_EQ(TempEntries().size(), 1);
        folder = TempRoot.File(TempEntries().front());
        EXPECT_TRUE(QFileInfo(folder).isDir());
    });
    EXPECT_EQ(Script.Dialogs, QStringList{QStringLiteral("TFormHtmlPreview")});
    EXPECT_FALSE(folder.isEmpty());
    EXPECT_TRUE(TempEntries().isEmpty());
}

TEST_F(TPreviewCommandTest, TwoPreviewsUseTwoFoldersAndLeaveNone) {
    std::vector<std::unique_ptr<TInputBase>> items;
    items.push_back(Image("pic", true));
    OpenProjectWith(std::move(items));
    Control<QLineEdit>(0, "EditPath")->setText(ExamplePicture(QStringLiteral("logo.png")));
    Control<QLineEdit>(0, "EditFilename")->setText(QStringLiteral("ロゴ.png"));
    QStringList pictures;
    for (int i = 0; i < 2; ++i) {
        Preview([&](TFormHtmlPreview& window) {
            ASSERT_EQ(window.ImageFiles().size(), 1);
            pictures << window.ImageFiles().front();
            EXPECT_TRUE(QFileInfo(pictures.back()).isFile());
            EXPECT_EQ(QFileInfo(pictures.back()).fileName(), QStringLiteral("ロゴ.png"));
        });
        EXPECT_TRUE(TempEntries().isEmpty()) << TempEntries().join(u' ').toStdString();
    }
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_NE(QFileInfo(pictures[0]).path(), QFileInfo(pictures[1]).path());
}

TEST_F(TPreviewCommandTest, AGenerationErrorIsShownOnceAndLeavesNoFolder) {
    std::vector<std::unique_ptr<TInputBase>> items;
    items.push_back(Image("pic", true));
    OpenProjectWith(std::move(items));
    Control<QLineEdit>(0, "EditPath")->setText(ExamplePicture(QStringLiteral("logo.png")));
    Control<QLineEdit>(0, "EditFilename")->setText(QStringLiteral("logo.txt"));
    Script.AnswerMessage(TMessageBox::TAnswer::Ok);
    Preview();
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Kind, TMessageBox::TKind::Error);
    EXPECT_TRUE(
        Script.Messages[0].Text.startsWith(QStringLiteral("拡張子から画像形式が判定できません。")));
    EXPECT_TRUE(Script.Dialogs.isEmpty());
    EXPECT_TRUE(TempEntries().isEmpty());
}

TEST_F(TPreviewCommandTest, SavedPagesAreWhatOrvaneMakeWritesInEveryCodePage) {
    OpenProject(ExampleProject());
    EnterInputTab();
    FillExampleValues();
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        const QString out = Scratch.File(QStringLiteral("make%1").arg(index));
        const auto run = testsupport::RunOrvaneMake(
            {QStringLiteral("page"), ExampleProject(), QStringLiteral("--template"),
             QStringLiteral("#%1").arg(index), QStringLiteral("--values"),
             QStringLiteral(ORVANE_SOURCE_DIR "/examples/values.json"), QStringLiteral("--out"),
             out});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        const QString saved = Scratch.File(QStringLiteral("saved%1.html").arg(index));
        SelectTemplate(index);
        Script.AnswerFile(saved);
        Preview([](TFormHtmlPreview& window) { window.ActionHtmlSaveToFileExecute(); });
        EXPECT_EQ(Script.FileDialogs.back().Filter, TFormHtmlPreview::PageSaveFilter());
        EXPECT_EQ(Script.FileDialogs.back().DefaultExtension, QStringLiteral(".html"));
        const QByteArray expected = testsupport::ReadFile(out + QStringLiteral("/index.html"));
        EXPECT_FALSE(expected.isEmpty());
        EXPECT_EQ(testsupport::ReadFile(saved), expected);
    }
}

}  // namespace

namespace {

using TInputTabTest = testsupport::TInputPaneFixture;

TEST_F(TInputTabTest, EnteringTheTabShowsEveryFrameAndTheTemplates) {
    OpenProject(ExampleProject());
    Window().resize(600, 800);
    Window().show();
    EnterInputTab();
    QCoreApplication::processEvents();
    auto* templates = Window().findChild<QComboBox*>("ComboBoxPreviewTemplate");
    EXPECT_EQ(templates->count(), 3);
    EXPECT_EQ(templates->currentIndex(), 0);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        QWidget* frame = Frame(i);
        EXPECT_TRUE(frame->isVisible());
        EXPECT_GT(frame->height(), 50);
        EXPECT_EQ(frame->width(), Pane().width());
        // Nothing of the frame is cut off by the pane.
        EXPECT_LE(frame->geometry().bottom(), Pane().height());
    }
    EXPECT_TRUE(Pane().isVisible());
    EXPECT_GT(Pane().width(), 500);
    // Leaving and entering again starts over.
    Control<QLineEdit>(0, "Edit")->setText("typed");
    LeaveInputTab();
    EnterInputTab();
    EXPECT_EQ(Control<QLineEdit>(0, "Edit")->text(), QString());
    // The pane follows the window's project: a new project leaves it empty on the next entry.
    Trigger("ActionFileNew");
    EnterInputTab();
    EXPECT_EQ(Pane().FrameCount(), 0);
    EXPECT_EQ(templates->count(), 0);
    EXPECT_EQ(templates->currentIndex(), -1);
}

}  // namespace
