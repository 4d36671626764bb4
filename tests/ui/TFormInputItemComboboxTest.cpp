// The pull-down dialog's choice list: add, change (button and double click), delete with its
// confirmation, move up and down, and which row is selected afterwards.

#include <gtest/gtest.h>

#include <QAction>
#include <QTreeWidget>

#include "TDialogScript.h"
#include "TInputComboBox.h"
#include "TWidgetDriving.h"
#include "UnitFormInputItemCombobox.h"
#include "UnitFormInputItemComboboxItem.h"

using testsupport::Child;
using testsupport::PressCancel;
using testsupport::PressOk;
using testsupport::SetText;

namespace {

std::function<void(QDialog&)> Choose(const QString& caption, const QString& value) {
    return PressOk([caption, value](QDialog& editor) {
        SetText(editor, "EditCaption", caption);
        SetText(editor, "EditValue", value);
    });
}

class TFormInputItemComboboxTest : public testing::Test {
protected:
    void SetUp() override {
        FList = Child<QTreeWidget>(FDialog, "ListViewItems");
        ASSERT_NE(FList, nullptr);
    }
    void Run(const char* action) { Child<QAction>(FDialog, action)->trigger(); }
    // "caption=value" per row, in order.
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < FList->topLevelItemCount(); ++i)
            rows << FList->topLevelItem(i)->text(0) + u'=' + FList->topLevelItem(i)->text(1);
        return rows;
    }
    int Selected() const {
        const auto selected = FList->selectedItems();
        return selected.isEmpty() ? -1 : FList->indexOfTopLevelItem(selected.first());
    }
    void Select(int row) { FList->setCurrentItem(FList->topLevelItem(row)); }
    bool Enabled(const char* action) { return Child<QAction>(FDialog, action)->isEnabled(); }
    void LoadThree() {
        TInputComboBox item;
        for (const char* c : {"a", "b", "c"})
            item.AddItem(QString::fromUtf8(c), QString::fromUtf8(c).toUpper());
        FDialog.LoadInputItem(item);
    }

    TFormInputItemCombobox FDialog;
    QTreeWidget* FList = nullptr;
};

}  // namespace

TEST_F(TFormInputItemComboboxTest, NewDialogHasCommandsEnabledThatDoNothingWithoutASelection) {
    EXPECT_TRUE(Enabled("ActionItemUpdate"));
    EXPECT_TRUE(Enabled("ActionItemDelete"));
    testsupport::TDialogScript script;
    for (const char* action :
         {"ActionItemUpdate", "ActionItemDelete", "ActionItemGoUp", "ActionItemGoDown"})
        Run(action);
    EXPECT_TRUE(script.Dialogs.isEmpty());
    EXPECT_TRUE(script.Messages.empty());
}

TEST_F(TFormInputItemComboboxTest, AddingAppendsAndSelectsTheLastRowWhateverWasSelected) {
    testsupport::TDialogScript script;
    script.AnswerDialog(Choose("新商品", "new"));
    script.AnswerDialog(Choose("", ""));
    script.AnswerDialog(PressCancel());
    script.AnswerDialog(Choose("新商品", "new"));
    Run("ActionItemInsert");
    EXPECT_EQ(Selected(), 0);
    Run("ActionItemInsert");
    Select(0);
    Run("ActionItemInsert");
    EXPECT_EQ(Selected(), 0);
    Run("ActionItemInsert");
    EXPECT_EQ(Rows(), QStringList({"新商品=new", "=", "新商品=new"}));
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(script.Dialogs, QStringList(4, "FormInputItemComboboxItem"));

    const auto item = FDialog.CreateInputItem();
    const auto& combo = static_cast<const TInputComboBox&>(*item);
    ASSERT_EQ(combo.GetItems().GetCount(), 3);
    EXPECT_EQ(combo.GetItem(2)->Caption, u"新商品");
    EXPECT_EQ(combo.GetItem(1)->Value, u"");
}

TEST_F(TFormInputItemComboboxTest, ChangingOpensTheSelectedPairAndKeepsTheRow) {
    LoadThree();
    testsupport::TDialogScript script;
    QString shownCaption;
    script.AnswerDialog(PressOk([&shownCaption](QDialog& editor) {
        shownCaption = Child<QLineEdit>(editor, "EditCaption")->text();
        SetText(editor, "EditValue", "値");
    }));
    script.AnswerDialog(PressCancel());
    Select(1);
    Run("ActionItemUpdate");
    EXPECT_EQ(shownCaption, u"b");
    EXPECT_EQ(Selected(), 1);
    FList->itemDoubleClicked(FList->topLevelItem(1), 0);
    EXPECT_EQ(Rows(), QStringList({"a=A", "b=値", "c=C"}));
    EXPECT_EQ(script.Dialogs.size(), 2);
}

TEST_F(TFormInputItemComboboxTest, MovesSwapNeighboursAndStopAtTheEnds) {
    LoadThree();
    Select(0);
    Run("ActionItemGoUp");
    EXPECT_EQ(Rows(), QStringList({"a=A", "b=B", "c=C"}));
    EXPECT_EQ(Selected(), 0);
    Run("ActionItemGoDown");
    EXPECT_EQ(Rows(), QStringList({"b=B", "a=A", "c=C"}));
    EXPECT_EQ(Selected(), 1);
    Run("ActionItemGoDown");
    EXPECT_EQ(Selected(), 2);
    Run("ActionItemGoDown");
    EXPECT_EQ(Rows(), QStringList({"b=B", "c=C", "a=A"}));
    Run("ActionItemGoUp");
    EXPECT_EQ(Rows(), QStringList({"b=B", "a=A", "c=C"}));
    EXPECT_EQ(Selected(), 1);
}

TEST_F(TFormInputItemComboboxTest, DeletingAsksAndOnlyYesRemoves) {
    LoadThree();
    testsupport::TDialogScript script;
    script.AnswerMessage(TMessageBox::TAnswer::No);
    script.AnswerMessage(TMessageBox::TAnswer::Cancel);
    script.AnswerMessage(TMessageBox::TAnswer::Yes);
    script.AnswerMessage(TMessageBox::TAnswer::Yes);
    script.AnswerMessage(TMessageBox::TAnswer::Yes);
    Select(2);
    Run("ActionItemDelete");
    Run("ActionItemDelete");
    EXPECT_EQ(Rows().size(), 3);
    Run("ActionItemDelete");
    EXPECT_EQ(Rows(), QStringList({"a=A", "b=B"}));
    EXPECT_EQ(Selected(), 1);
    Select(0);
    Run("ActionItemDelete");
    EXPECT_EQ(Rows(), QStringList({"b=B"}));
    EXPECT_EQ(Selected(), 0);
    Run("ActionItemDelete");
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_EQ(Selected(), -1);
    EXPECT_FALSE(Enabled("ActionItemUpdate"));
    EXPECT_FALSE(Enabled("ActionItemDelete"));
    EXPECT_FALSE(Child<QAbstractButton>(FDialog, "BtnItemDelete")->isEnabled());

    ASSERT_EQ(script.Messages.size(), 5u);
    EXPECT_EQ(script.Messages[0].Kind, TMessageBox::TKind::Confirmation);
    EXPECT_EQ(script.Messages[0].Text,
              QStringLiteral("選択されている選択肢を削除します。\nよろしいですか？"));
}

TEST(TFormInputItemComboboxItemTest, EditorGivesBackWhatItShows) {
    TFormInputItemComboboxItem editor;
    EXPECT_EQ(editor.windowTitle(), u"選択項目");
    editor.LoadChoice({QStringLiteral("表示"), QStringLiteral("値")});
    const TInputComboBoxItem choice = editor.CreateChoice();
    EXPECT_EQ(choice.Caption, u"表示");
    EXPECT_EQ(choice.Value, u"値");
}
