// The template editor: lines stored with CR LF, the character code, its two OK checks.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "TDialogScript.h"
#include "TWidgetDriving.h"
#include "UnitFormTemplateEdit.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::SetText;

namespace {

QPlainTextEdit* Html(TFormTemplateEdit& editor) {
    return Child<QPlainTextEdit>(editor, "RichEditHtml");
}

}  // namespace

TEST(TFormTemplateEditTest, StartsEmptyInUtf8WithAFixedWidthFont) {
    TFormTemplateEdit editor;
    EXPECT_EQ(editor.windowTitle(), u"テンプレート");
    EXPECT_TRUE(Child<QLineEdit>(editor, "EditName")->text().isEmpty());
    EXPECT_EQ(Child<QComboBox>(editor, "ComboBoxCharCode")->currentText(), u"UTF-8");
    EXPECT_TRUE(Html(editor)->toPlainText().isEmpty());
    EXPECT_TRUE(QFontInfo(Html(editor)->font()).fixedPitch());
}

TEST(TFormTemplateEditTest, EveryLineEndsInCrLfOnce) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "abc\r\n"},
        {"abc\n", "abc\r\n"},
        {"abc\r\n\r\ndef", "abc\r\n\r\ndef\r\n"},
        {"a\rb\nc\r\n", "a\r\nb\r\nc\r\n"},
        {"\n", "\r\n"},
        {"abc\n\n", "abc\r\n\r\n"},
    };
    for (const auto& [typed, stored] : cases) {
        TFormTemplateEdit editor;
        editor.LoadTemplate(THtmlTemplate(QStringLiteral("t"), 0, QString::fromUtf8(typed)));
        EXPECT_EQ(editor.CreateTemplate()->Html, QString::fromUtf8(stored)) << typed;
    }
}

TEST(TFormTemplateEditTest, WrappingOnScreenKeepsALongLineOneLine) {
    TFormTemplateEdit editor;
    editor.show();
    const QString line = QStringLiteral("<p>とても長い行</p>").repeated(60);
    Html(editor)->setPlainText(line);
    ASSERT_GT(Html(editor)->document()->firstBlock().layout()->lineCount(), 1);
    EXPECT_EQ(editor.CreateTemplate()->Html, line + QStringLiteral("\r\n"));
}

TEST(TFormTemplateEditTest, CharacterCodeSelectsItsEntryAndOthersBecomeUtf8) {
    for (int32_t code : {0, 1, 2}) {
        TFormTemplateEdit editor;
        editor.LoadTemplate(THtmlTemplate(QStringLiteral("t"), code, QStringLiteral("x")));
        EXPECT_EQ(Child<QComboBox>(editor, "ComboBoxCharCode")->currentIndex(), code);
        EXPECT_EQ(editor.CreateTemplate()->GetCharCode(), code);
    }
    TFormTemplateEdit editor;
    Child<QComboBox>(editor, "ComboBoxCharCode")->setCurrentIndex(-1);
    EXPECT_EQ(editor.CreateTemplate()->GetCharCode(), 0);
}

TEST(TFormTemplateEditTest, OkChecksNameThenHtml) {
    struct TCase {
        QString Name;
        QString Html;
        const char* Message;  // nullptr: accepted
        const char* Focus;
    };
    const TCase cases[] = {
        {"", "", "テンプレート名が入力されていません。", "EditName"},
        {"", "<p>", "テンプレート名が入力されていません。", "EditName"},
        {" ", "", "HTMLが入力されていません。", "RichEditHtml"},
        {" ", "\n", nullptr, nullptr},
    };
    for (const TCase& c : cases) {
        TFormTemplateEdit editor;
        editor.show();
        SetText(editor, "EditName", c.Name);
        Html(editor)->setPlainText(c.Html);
        testsupport::TDialogScript script;
        if (c.Message)
            script.AnswerMessage(TMessageBox::TAnswer::Ok);
        editor.setResult(QDialog::Rejected);
        Click(editor, "BtnOk");
        if (c.Message) {
            EXPECT_EQ(script.MessageTexts(), QStringList{QString::fromUtf8(c.Message)});
            EXPECT_EQ(editor.result(), QDialog::Rejected);
            ASSERT_NE(editor.focusWidget(), nullptr);
            EXPECT_EQ(editor.focusWidget()->objectName(), QString::fromUtf8(c.Focus));
        } else {
            EXPECT_EQ(editor.result(), QDialog::Accepted);
        }
    }
}
