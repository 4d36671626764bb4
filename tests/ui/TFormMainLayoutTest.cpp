// What the main window shows: its commands with their captions and keys, the menus, the tool
// bar, the tabs in their order, the input strip, and that every control can be found by its
// label through the accessibility interface.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "TMainWindowFixture.h"

namespace {

using TFormMainLayoutTest = testsupport::TMainWindowFixture;

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

QStringList TabTitles(QTabWidget* tabs) {
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

TEST_F(TFormMainLayoutTest, CommandsHaveTheirCaptionsAndKeys) {
    StartWindow();
    struct TCase {
        const char* Name;
        QString Caption;
        QString Keys;
    };
    const TCase cases[] = {
        {"ActionFileNew", QStringLiteral("新規作成(&N)"), QStringLiteral("Ctrl+N")},
        {"ActionFileOpen", QStringLiteral("開く(&O)"), QStringLiteral("Ctrl+O")},
        {"ActionFileSave", QStringLiteral("上書き保存(&S)"), QStringLiteral("Ctrl+S")},
        {"ActionFileSaveAs", QStringLiteral("名前をつけて保存(&A)"), QString()},
        {"ActionFileClose", QStringLiteral("閉じる(&X)"), QString()},
        {"ActionConfigGeneral", QStringLiteral("全般設定(&C)"), QString()},
        {"ActionHelpHelp", QStringLiteral("ヘルプ(&H)"), QString()},
        {"ActionInputPreviewHtml", QStringLiteral("プレビュー"), QString()},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Action(c.Name)->text(), c.Caption);
        EXPECT_EQ(Action(c.Name)->shortcut().toString(), c.Keys);
    }
}

TEST_F(TFormMainLayoutTest, MenusListTheirCommandsInOrder) {
    StartWindow();
    auto entries = [this](const char* menu) {
        QStringList texts;
        for (QAction* action : Window().findChild<QMenu*>(QString::fromLatin1(menu))->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    };
    EXPECT_EQ(Window().findChild<QMenu*>(QStringLiteral("MenuFile"))->title(),
              QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(entries("MenuFile"),
              QStringList({QStringLiteral("新規作成(&N)"), QStringLiteral("開く(&O)"),
                           QStringLiteral("上書き保存(&S)"), QStringLiteral("名前をつけて保存(&A)"),
                           QStringLiteral("-"), QStringLiteral("開き直す(&R)"), QStringLiteral("-"),
                           QStringLiteral("閉じる(&X)")}));
    EXPECT_EQ(Window().findChild<QMenu*>(QStringLiteral("MenuConfig"))->title(),
              QStringLiteral("設定(&C)"));
    EXPECT_EQ(entries("MenuConfig"), QStringList({QStringLiteral("全般設定(&C)")}));
    EXPECT_EQ(Window().findChild<QMenu*>(QStringLiteral("MenuHelp"))->title(),
              QStringLiteral("ヘルプ(&H)"));
    EXPECT_EQ(entries("MenuHelp"), QStringList({QStringLiteral("ヘルプ(&H)")}));
}

TEST_F(TFormMainLayoutTest, ToolBarButtonsShowIconsAndHaveAccessibleNames) {
    StartWindow();
    Window().show();
    auto* toolBar = Window().findChild<QToolBar*>(QStringLiteral("ToolBarMain"));
    const QList<QAction*> actions = toolBar->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0], Action("ActionFileNew"));
    EXPECT_EQ(actions[1], Action("ActionFileOpen"));
    EXPECT_EQ(actions[2], Action("ActionFileSave"));
    EXPECT_TRUE(actions[3]->isSeparator());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(actions[i]->icon().isNull());
        auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(actions[i]));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->toolTip().isEmpty());
        EXPECT_FALSE(AccessibleName(button).isEmpty());
    }
}

TEST_F(TFormMainLayoutTest, TabsInTheirOrderWithEmptyDesignPagesReadyForContent) {
    StartWindow();
    auto* main = Window().findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
    auto* config = Window().findChild<QTabWidget*>(QStringLiteral("PageControlConfig"));
    EXPECT_EQ(TabTitles(main),
              QStringList({QStringLiteral("設定(&1)"), QStringLiteral("入力(&0)")}));
    EXPECT_EQ(TabTitles(config),
              QStringList({QStringLiteral("入力項目(2)"), QStringLiteral("テンプレート(&3)"),
                           QStringLiteral("出力(&4)")}));
    EXPECT_TRUE(main->widget(0)->isAncestorOf(config));
    for (const char* page : {"TabSheetInputItems", "TabSheetTemplates", "TabSheetOutput"}) {
        auto* sheet = Window().findChild<QWidget*>(QString::fromLatin1(page));
        ASSERT_NE(sheet, nullptr) << page;
        EXPECT_NE(qobject_cast<QVBoxLayout*>(sheet->layout()), nullptr) << page;
    }
}

TEST_F(TFormMainLayoutTest, InputTabHasTheScrollBoxTheTemplateChoiceAndThePreviewButton) {
    StartWindow();
    Window().show();
    Window().findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->setCurrentIndex(1);
    auto* input = Window().findChild<QWidget*>(QStringLiteral("TabSheetInput"));
    auto* scroll = input->findChild<QScrollArea*>(QStringLiteral("ScrollBoxItems"));
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    auto* templates = input->findChild<QComboBox*>(QStringLiteral("ComboBoxPreviewTemplate"));
    ASSERT_NE(templates, nullptr);
    EXPECT_FALSE(templates->isEditable());
    auto* preview = input->findChild<QPushButton*>(QStringLiteral("BtnPreview"));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->text(), QStringLiteral("プレビュー"));
    EXPECT_EQ(input->findChild<QWidget*>(QStringLiteral("PanelPreview"))->height(), 50);

    int triggered = 0;
    QObject::connect(Action("ActionInputPreviewHtml"), &QAction::triggered, [&] { ++triggered; });
    // An empty project has no template to preview with.
    Script.AnswerMessage(TMessageBox::TAnswer::Ok);
    preview->click();
    EXPECT_EQ(triggered, 1);
    EXPECT_EQ(Script.MessageTexts(),
              QStringList{QStringLiteral("テンプレートが選択されていません。")});
}

TEST_F(TFormMainLayoutTest, EveryLabelNamesItsControl) {
    StartWindow();
    for (QLabel* label : Window().findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        SCOPED_TRACE(label->text().toStdString());
        ASSERT_NE(label->buddy(), nullptr);
        QString caption = label->text();
        caption.remove(QLatin1Char('&'));
        EXPECT_EQ(AccessibleName(label->buddy()), caption);
    }
}

}  // namespace
