// The facades turn the program's filter strings into dialog filters and reach tests
// instead of the screen.

#include <gtest/gtest.h>

#include "TDialogScript.h"
#include "TTestSupport.h"

TEST(TFileDialogTest, FilterPairsBecomeNameFilters) {
    EXPECT_EQ(TFileDialog::NameFilters(
                  QStringLiteral("ページテンプレート設定ファイル(*.PT)|*.PT|すべてのファイル|*.*")),
              QStringList({QStringLiteral("ページテンプレート設定ファイル(*.PT) (*.PT *.pt)"),
                           QStringLiteral("すべてのファイル (*.*)")}));
    EXPECT_EQ(TFileDialog::NameFilters(QStringLiteral("画像|*.jpg;*.png")),
              QStringList({QStringLiteral("画像 (*.jpg *.JPG *.png *.PNG)")}));
    EXPECT_TRUE(TFileDialog::NameFilters(QStringLiteral("odd")).isEmpty());
}

TEST(TDialogScriptTest, AnswersAndRecordsEachKind) {
    testsupport::TDialogScript script;
    script.AnswerMessage(TMessageBox::TAnswer::No);
    script.AnswerFile(QStringLiteral("/tmp/a.PT"));
    script.AnswerInput(std::nullopt);

    EXPECT_EQ(TMessageBox::Confirm(nullptr, QStringLiteral("消しますか")),
              TMessageBox::TAnswer::No);
    EXPECT_EQ(
        TFileDialog::GetOpenFileName(nullptr, QStringLiteral("a|*.PT"), QStringLiteral(".PT")),
        QStringLiteral("/tmp/a.PT"));
    EXPECT_EQ(TInputBox::GetText(nullptr, QStringLiteral("ファイル名"), QStringLiteral("入力")),
              std::nullopt);

    ASSERT_EQ(script.Messages.size(), 1u);
    EXPECT_EQ(script.Messages[0].Caption, QStringLiteral("確認"));
    EXPECT_EQ(script.Messages[0].Kind, TMessageBox::TKind::Confirmation);
    EXPECT_EQ(script.FileDialogs[0].Mode, TFileDialog::TMode::Open);
    EXPECT_EQ(script.Inputs[0].Caption, QStringLiteral("ファイル名"));
}
