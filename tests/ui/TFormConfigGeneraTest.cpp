// The general settings dialog: filled from the settings, OK writes the two options back,
// Cancel leaves them, and nothing reaches the settings file before the program ends.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>

#include "TConfig.h"
#include "TMainWindowFixture.h"
#include "UnitFormConfigGenera.h"

namespace {

using testsupport::TMainWindowFixture;

QCheckBox* Box(QDialog& dialog, const char* name) {
    return dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
}

void Click(QDialog& dialog, const char* button) {
    dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

TEST(TFormConfigGeneraTest, LoadConfigTicksTheBoxesOfTheSetOptions) {
    for (const bool openLast : {false, true}) {
        for (const bool saveState : {false, true}) {
            TOrvaneConfig config;
            config.IsOpenLastProject = openLast;
            config.IsSaveWindowState = saveState;
            TFormConfigGenera dialog(nullptr);
            dialog.LoadConfig(&config);
            EXPECT_EQ(Box(dialog, "CheckBoxIsOpenLastProject")->isChecked(), openLast);
            EXPECT_EQ(Box(dialog, "CheckBoxIsSaveWindowState")->isChecked(), saveState);
        }
    }
}

TEST(TFormConfigGeneraTest, CaptionsAndButtons) {
    TFormConfigGenera dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("全般設定"));
    EXPECT_EQ(Box(dialog, "CheckBoxIsOpenLastProject")->text(),
              QStringLiteral("前回開いていたテンプレートを開く"));
    EXPECT_EQ(Box(dialog, "CheckBoxIsSaveWindowState")->text(),
              QStringLiteral("ウィンドウの位置とサイズを復元する"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->text(),
              QStringLiteral("キャンセル"));
}

using TConfigGeneralCommandTest = TMainWindowFixture;

TEST_F(TConfigGeneralCommandTest, OkStoresBothOptionsInMemoryUntilTheProgramEnds) {
    StartWindow();
    Script.AnswerDialog([](QDialog& dialog) {
        Box(dialog, "CheckBoxIsOpenLastProject")->setChecked(true);
        Box(dialog, "CheckBoxIsSaveWindowState")->setChecked(true);
        Click(dialog, "BitBtn1");
    });
    Trigger("ActionConfigGeneral");
    EXPECT_EQ(Script.Dialogs, QStringList({QStringLiteral("TFormConfigGenera")}));
    EXPECT_TRUE(Window().Settings().IsOpenLastProject);
    EXPECT_TRUE(Window().Settings().IsSaveWindowState);
    EXPECT_FALSE(QFileInfo::exists(SettingsFile()));

    EndWindow();
    const auto settings = ReadSettings();
    EXPECT_TRUE(settings->IsOpenLastProject);
    EXPECT_TRUE(settings->IsSaveWindowState);
}

TEST_F(TConfigGeneralCommandTest, CancelAfterChangingBothBoxesKeepsTheSettings) {
    WriteSettings({}, true, false);
    StartWindow();
    Script.AnswerDialog([](QDialog& dialog) {
        EXPECT_TRUE(Box(dialog, "CheckBoxIsOpenLastProject")->isChecked());
        Box(dialog, "CheckBoxIsOpenLastProject")->setChecked(false);
        Box(dialog, "CheckBoxIsSaveWindowState")->setChecked(true);
        Click(dialog, "BitBtn2");
    });
    Trigger("ActionConfigGeneral");
    EXPECT_TRUE(Window().Settings().IsOpenLastProject);
    EXPECT_FALSE(Window().Settings().IsSaveWindowState);
}

TEST_F(TConfigGeneralCommandTest, RestoringTheBoundsTakesEffectAtTheNextStart) {
    WriteSettings({}, false, false, QRect(30, 40, 500, 400));
    const QRect before = StartWindow().geometry();
    Script.AnswerDialog([](QDialog& dialog) {
        Box(dialog, "CheckBoxIsSaveWindowState")->setChecked(true);
        Click(dialog, "BitBtn1");
    });
    Trigger("ActionConfigGeneral");
    EXPECT_EQ(Window().geometry(), before);
}

}  // namespace
