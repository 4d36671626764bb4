// Each frame's "設定" button: the item's definition dialog with locked names, filled from the
// frame's own copy; what it changes acts on that frame and its entered values until the input
// tab is entered again, and never on the project's item.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

#include "TInputComboBox.h"
#include "TInputMemo.h"
#include "TInputPaneFixture.h"
#include "TProject.h"
#include "TWidgetDriving.h"
#include "UnitFormHtmlPreview.h"

namespace {

using testsupport::PressCancel;
using testsupport::PressOk;

class TFrameSettingsTest : public testsupport::TInputPaneFixture {
protected:
    void SetUp() override {
        OpenProject(ExampleProject());
        EnterInputTab();
    }
    void ClickSettings(int frame) { Control<QToolButton>(frame, "BtnConfig")->click(); }
    // The page of a preview with the example's values, the body left empty.
    QString PreviewPage() {
        FillExampleValues();
        Control<QPlainTextEdit>(1, "Memo")->clear();
        QString page;
        Script.AnswerDialog(
            [&](QDialog& dialog) { page = dynamic_cast<TFormHtmlPreview&>(dialog).Html(); });
        TriggerThroughEventLoop("ActionInputPreviewHtml");
        return page;
    }
};

TEST_F(TFrameSettingsTest, EveryFrameOpensItsKindsDialogWithLockedNames) {
    const char* dialogs[] = {"FormInputItemEdit",     "FormInputItemMemo",  "FormInputItemDate",
                             "FormInputItemCombobox", "FormInputItemImage", "FormInputItemImage",
                             "FormInputItemEdit"};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const TInputBase& item = *Window().Project().GetInputItem(i);
        Script.AnswerDialog([&](QDialog& dialog) {
            auto* caption = testsupport::Child<QLineEdit>(dialog, "EditCaption");
            auto* name = testsupport::Child<QLineEdit>(dialog, "EditName");
            EXPECT_EQ(caption->text(), item.GetCaption());
            EXPECT_EQ(name->text(), item.GetName());
            EXPECT_FALSE(caption->isEnabled());
            EXPECT_FALSE(name->isEnabled());
            PressCancel()(dialog);
        });
        ClickSettings(i);
        EXPECT_EQ(Script.Dialogs.back(), QString::fromLatin1(dialogs[i]));
    }
}

TEST_F(TFrameSettingsTest, AChangedBlankValueActsUntilTheTabIsEnteredAgain) {
    Script.AnswerDialog(PressOk([](QDialog& dialog) {
        testsupport::SetText(dialog, "EditBlankValue", QStringLiteral("本文なし"));
    }));
    ClickSettings(1);
    EXPECT_TRUE(PreviewPage().contains(QStringLiteral("<div class=\"body\">本文なし</div>")));
    const auto& projectItem = static_cast<const TInputMemo&>(*Window().Project().GetInputItem(1));
    EXPECT_EQ(projectItem.BlankValue, QStringLiteral("（本文はありません）"));
    // Cancel changes nothing.
    Script.AnswerDialog(PressCancel());
    ClickSettings(1);
    EXPECT_TRUE(PreviewPage().contains(QStringLiteral("本文なし")));
    LeaveInputTab();
    EnterInputTab();
    EXPECT_TRUE(PreviewPage().contains(QStringLiteral("（本文はありません）")));
}

TEST_F(TFrameSettingsTest, AChoiceAddedThroughSettingsCanBePickedAndPreviewed) {
    // The choice editor opens inside the pull-down dialog: its answer comes second.
    Script.AnswerDialog(
        PressOk([](QDialog& dialog) { testsupport::Click(dialog, "BtnItemInsert"); }));
    Script.AnswerDialog(PressOk([](QDialog& editor) {
        testsupport::SetText(editor, "EditCaption", QStringLiteral("セール"));
        testsupport::SetText(editor, "EditValue", QStringLiteral("<em>セール</em>"));
    }));
    ClickSettings(3);
    auto* box = Control<QComboBox>(3, "ComboBox");
    ASSERT_EQ(box->count(), 4);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(Window().Project().GetInputItem(3)->GetInputType(), TInputBase::KindComboBox);
    EXPECT_EQ(static_cast<const TInputComboBox&>(*Window().Project().GetInputItem(3))
                  .GetItems()
                  .GetCount(),
              3);
    FillExampleValues();
    box->setCurrentIndex(3);
    QString page;
    Script.AnswerDialog(
        [&](QDialog& dialog) { page = dynamic_cast<TFormHtmlPreview&>(dialog).Html(); });
    TriggerThroughEventLoop("ActionInputPreviewHtml");
    EXPECT_TRUE(page.contains(QStringLiteral("分類: <em>セール</em>")));
}

TEST_F(TFrameSettingsTest, ADateFrameTurnedIntoDateAndTimeShowsBothPickersUntilRebuilt) {
    auto* picker2 = Control<QDateTimeEdit>(2, "Picker2");
    EXPECT_TRUE(picker2->isHidden());
    Script.AnswerDialog(PressOk([](QDialog& dialog) {
        testsupport::Child<QComboBox>(dialog, "ComboBoxKind")->setCurrentIndex(2);
    }));
    ClickSettings(2);
    EXPECT_FALSE(picker2->isHidden());
    LeaveInputTab();
    EnterInputTab();
    EXPECT_TRUE(Control<QDateTimeEdit>(2, "Picker2")->isHidden());
}

}  // namespace
