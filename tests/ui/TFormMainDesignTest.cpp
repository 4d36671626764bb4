// The design tabs of the main window driven through their actions: items and templates added,
// changed, deleted and moved with the selection rules, and the FTP settings of the output tab.

#include <gtest/gtest.h>

#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "TInputEdit.h"
#include "TInputImage.h"
#include "TMainWindowFixture.h"
#include "TProject.h"
#include "TWidgetDriving.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::PressCancel;
using testsupport::PressOk;
using testsupport::SetText;
using TAnswer = TMessageBox::TAnswer;

namespace {

// An item of a kind no dialog knows: only a fault could put one into a project.
class TOddItem : public TInputBase {
public:
    TOddItem() : TInputBase(9) {}
    std::unique_ptr<TInputBase> Clone() const override { return std::make_unique<TOddItem>(); }
};

std::function<void(QDialog&)> Named(const QString& caption, const QString& name) {
    return PressOk([caption, name](QDialog& dialog) {
        SetText(dialog, "EditCaption", caption);
        SetText(dialog, "EditName", name);
        if (auto* format = dialog.findChild<QLineEdit*>(QStringLiteral("EditFormat")))
            format->setText(QStringLiteral("yyyy"));
    });
}

std::function<void(QDialog&)> Template(const QString& name, const QString& html) {
    return PressOk([name, html](QDialog& editor) {
        SetText(editor, "EditName", name);
        Child<QPlainTextEdit>(editor, "RichEditHtml")->setPlainText(html);
    });
}

class TFormMainDesignTest : public testsupport::TMainWindowFixture {
protected:
    void SetUp() override { StartWindow(); }

    QTreeWidget* List(const char* name) { return Child<QTreeWidget>(Window(), name); }
    // The rows' column texts joined by "|".
    QStringList Rows(const char* list) {
        QStringList rows;
        QTreeWidget* view = List(list);
        for (int i = 0; i < view->topLevelItemCount(); ++i) {
            QStringList texts;
            for (int c = 0; c < view->columnCount(); ++c)
                texts << view->topLevelItem(i)->text(c);
            rows << texts.join(u'|');
        }
        return rows;
    }
    int Selected(const char* list) {
        const auto selected = List(list)->selectedItems();
        return selected.isEmpty() ? -1 : List(list)->indexOfTopLevelItem(selected.first());
    }
    void Select(const char* list, int row) {
        List(list)->setCurrentItem(List(list)->topLevelItem(row));
    }

    // Chooses a kind in the add menu; the dialog is answered by `answer`.
    void AddItem(const char* kindAction, std::function<void(QDialog&)> answer) {
        Trigger("ActionInputInsert");
        Script.AnswerDialog(std::move(answer));
        Trigger(kindAction);
        Child<QMenu>(Window(), "PopupMenuInput")->hide();
    }
    void AddThreeItems() {
        AddItem("ActionInputInsertEdit", Named("題名", "title"));
        AddItem("ActionInputInsertDate", Named("日付", "date"));
        AddItem("ActionInputInsertImage", Named("写真", "photo"));
    }
    void AddTemplates(int count) {
        for (int i = 0; i < count; ++i) {
            Script.AnswerDialog(Template(QStringLiteral("t%1").arg(i), "<p>"));
            Trigger("ActionTemplateInsert");
        }
    }
};

}  // namespace

TEST_F(TFormMainDesignTest, AddMenuOpensAtTheCentreOfTheAddButtonWithTheFiveKinds) {
    // Far from the screen's right edge, so the menu need not be moved to fit.
    Window().setGeometry(0, 0, 560, 420);
    Window().show();
    Trigger("ActionInputInsert");
    auto* menu = Child<QMenu>(Window(), "PopupMenuInput");
    auto* button = Child<QPushButton>(Window(), "BtnInputInsert");
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), button->mapToGlobal(QPoint(button->width() / 2, button->height() / 2)));
    QStringList entries;
    for (QAction* action : menu->actions())
        entries << action->text();
    EXPECT_EQ(entries, QStringList({"一行入力欄", "複数行入力欄", "日時入力欄",
                                    "プルダウンメニュー", "画像入力欄"}));
    menu->hide();
}

TEST_F(TFormMainDesignTest, AddingAppendsTheNewItemAndSelectsItWhateverWasSelected) {
    AddItem("ActionInputInsertEdit", Named("題名", "title"));
    AddItem("ActionInputInsertDate", Named("日付", "date"));
    Select("ListViewInput", 0);
    AddItem("ActionInputInsertImage", Named("写真", "photo"));
    AddItem("ActionInputInsertMemo", PressCancel());
    EXPECT_EQ(Rows("ListViewInput"),
              QStringList({"一行入力欄|題名|title", "日時選択欄|日付|date", "画像|写真|photo"}));
    EXPECT_EQ(Selected("ListViewInput"), 2);
    EXPECT_EQ(Script.Dialogs, QStringList({"FormInputItemEdit", "FormInputItemDate",
                                           "FormInputItemImage", "FormInputItemMemo"}));
    EXPECT_EQ(Window().Project().InputItems.GetCount(), 3);
    EXPECT_EQ(Window().Project().GetInputItem(2)->GetName(), u"photo");
}

TEST_F(TFormMainDesignTest, ChangingOpensTheItemEditableAndKeepsItsPosition) {
    AddThreeItems();
    QString shownCaption;
    bool namesEditable = false;
    Script.AnswerDialog(PressOk([&](QDialog& dialog) {
        shownCaption = Child<QLineEdit>(dialog, "EditCaption")->text();
        namesEditable = Child<QLineEdit>(dialog, "EditName")->isEnabled();
        SetText(dialog, "EditCaption", "公開日");
    }));
    Script.AnswerDialog(PressCancel());
    Select("ListViewInput", 1);
    Trigger("ActionInputUpdate");
    EXPECT_EQ(shownCaption, u"日付");
    EXPECT_TRUE(namesEditable);
    EXPECT_EQ(Selected("ListViewInput"), 1);
    List("ListViewInput")->itemDoubleClicked(List("ListViewInput")->topLevelItem(1), 0);
    EXPECT_EQ(Rows("ListViewInput").at(1), u"日時選択欄|公開日|date");
    EXPECT_EQ(Window().Project().GetInputItem(1)->GetCaption(), u"公開日");

    List("ListViewInput")->clearSelection();
    Trigger("ActionInputUpdate");
    EXPECT_EQ(Script.Dialogs.size(), 3 + 2);
}

TEST_F(TFormMainDesignTest, AnItemOfAnUnknownKindIsReportedAsABug) {
    Window().Project().InputItems.Add(std::make_unique<TOddItem>());
    Window().SetProjectFileName(QString());
    EXPECT_EQ(Rows("ListViewInput"), QStringList({"||"}));
    Select("ListViewInput", 0);
    Script.AnswerMessage(TAnswer::Ok);
    Trigger("ActionInputUpdate");
    ASSERT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Kind, TMessageBox::TKind::Error);
    EXPECT_EQ(Script.Messages[0].Text, u"バグです");
    EXPECT_EQ(Window().Project().InputItems.GetCount(), 1);
}

TEST_F(TFormMainDesignTest, TemplatesAreAddedAndChangedInPlace) {
    AddTemplates(2);
    EXPECT_EQ(Rows("ListViewTemplate"), QStringList({"t0", "t1"}));
    EXPECT_EQ(Selected("ListViewTemplate"), 1);
    QString shownHtml;
    Script.AnswerDialog(PressOk([&shownHtml](QDialog& editor) {
        shownHtml = Child<QPlainTextEdit>(editor, "RichEditHtml")->toPlainText();
        SetText(editor, "EditName", "トップ");
    }));
    Select("ListViewTemplate", 0);
    Trigger("ActionTemplateUpdate");
    EXPECT_EQ(shownHtml, u"<p>\n");
    EXPECT_EQ(Rows("ListViewTemplate"), QStringList({"トップ", "t1"}));
    EXPECT_EQ(Selected("ListViewTemplate"), 0);
    EXPECT_EQ(Window().Project().GetHtmlTemplate(0)->Html, u"<p>\r\n");
    Script.AnswerDialog(PressCancel());
    List("ListViewTemplate")->itemDoubleClicked(List("ListViewTemplate")->topLevelItem(1), 0);
    EXPECT_EQ(Rows("ListViewTemplate"), QStringList({"トップ", "t1"}));
}

// Delete and move work alike on both lists.
struct TListCase {
    const char* List;
    const char* Delete;
    const char* Up;
    const char* Down;
    bool Items;  // the input items, else the templates
};

void PrintTo(const TListCase& c, std::ostream* os) {
    *os << c.List;
}

class TDesignListTest : public TFormMainDesignTest, public testing::WithParamInterface<TListCase> {
protected:
    void Fill() {
        if (GetParam().Items) {
            AddThreeItems();
        } else {
            AddTemplates(3);
        }
    }
    QStringList Names() {
        QStringList names;
        for (const QString& row : Rows(GetParam().List))
            names << row.section(u'|', -1);
        return names;
    }
    int Count() {
        const TProject& p = Window().Project();
        return GetParam().Items ? p.InputItems.GetCount() : p.HtmlTemplates.GetCount();
    }
};

TEST_P(TDesignListTest, DeleteAsksAndSelectsTheNeighbour) {
    const TListCase& c = GetParam();
    Fill();
    const QStringList all = Names();
    List(c.List)->clearSelection();
    Trigger(c.Delete);
    EXPECT_TRUE(Script.Messages.empty());

    Script.AnswerMessage(TAnswer::No);
    Script.AnswerMessage(TAnswer::Cancel);
    Script.AnswerMessage(TAnswer::Yes);
    Select(c.List, 2);
    Trigger(c.Delete);
    Trigger(c.Delete);
    EXPECT_EQ(Names(), all);
    Trigger(c.Delete);
    EXPECT_EQ(Names(), all.mid(0, 2));
    EXPECT_EQ(Selected(c.List), 1);
    EXPECT_EQ(Count(), 2);
    ASSERT_EQ(Script.Messages.size(), 3u);
    EXPECT_EQ(Script.Messages[0].Kind, TMessageBox::TKind::Confirmation);
    EXPECT_EQ(Script.Messages[0].Text, u"選択されている項目を削除します。\nよろしいですか？");

    Script.AnswerMessage(TAnswer::Yes);
    Script.AnswerMessage(TAnswer::Yes);
    Select(c.List, 0);
    Trigger(c.Delete);
    EXPECT_EQ(Names(), all.mid(1, 1));
    EXPECT_EQ(Selected(c.List), 0);
    Trigger(c.Delete);
    EXPECT_TRUE(Names().isEmpty());
    EXPECT_EQ(Selected(c.List), -1);
    EXPECT_EQ(Count(), 0);
}

TEST_P(TDesignListTest, MovesStopAtTheEndsWithoutARefresh) {
    const TListCase& c = GetParam();
    Fill();
    const QStringList all = Names();
    QTreeWidgetItem* first = List(c.List)->topLevelItem(0);
    List(c.List)->clearSelection();
    Trigger(c.Up);
    Trigger(c.Down);
    Select(c.List, 0);
    Trigger(c.Up);
    Select(c.List, 2);
    Trigger(c.Down);
    EXPECT_EQ(List(c.List)->topLevelItem(0), first) << "the list was rebuilt";
    EXPECT_EQ(Selected(c.List), 2);

    Trigger(c.Up);
    EXPECT_EQ(Names(), QStringList({all[0], all[2], all[1]}));
    EXPECT_EQ(Selected(c.List), 1);
    Trigger(c.Up);
    EXPECT_EQ(Names(), QStringList({all[2], all[0], all[1]}));
    EXPECT_EQ(Selected(c.List), 0);
    Trigger(c.Down);
    EXPECT_EQ(Names(), QStringList({all[0], all[2], all[1]}));
    EXPECT_EQ(Selected(c.List), 1);
    const TProject& p = Window().Project();
    EXPECT_EQ(c.Items ? p.GetInputItem(1)->GetName() : p.GetHtmlTemplate(1)->Name, all[2]);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, TDesignListTest,
    testing::Values(TListCase{"ListViewInput", "ActionInputDelete", "ActionInputItemMoveUp",
                              "ActionInputItemMoveDown", true},
                    TListCase{"ListViewTemplate", "ActionTemplateDelete", "ActionTemplateMoveUp",
                              "ActionTemplateMoveDown", false}),
    [](const testing::TestParamInfo<TListCase>& info) {
        return std::string(info.param.Items ? "InputItems" : "Templates");
    });
