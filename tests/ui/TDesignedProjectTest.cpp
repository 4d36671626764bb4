// A project designed from an empty one through the dialogs only, saved from the main window,
// then read and used by the real orvane-make: every field arrives as entered.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QPlainTextEdit>

#include "TCodePage.h"
#include "TCommandRun.h"
#include "TMainWindowFixture.h"
#include "TProject.h"
#include "TWidgetDriving.h"

using testsupport::Child;
using testsupport::Click;
using testsupport::PressOk;
using testsupport::SetText;

namespace {

const QString Page = QStringLiteral(
    "<html><head><meta charset=\"<#p name=charset>\"></head><body>\n"
    "<h1><#p name=title></h1>\n"
    "<p><#p name=date> <#p name=category></p>\n"
    "<div><#p name=body></div>\n"
    "<img src=\"<#p name=photo>\">\n"
    "</body></html>");

class TDesignedProjectTest : public testsupport::TMainWindowFixture {
protected:
    // Fills the names and whatever else the kind needs, then presses OK.
    void AddItem(const char* kindAction, const QString& caption, const QString& name,
                 std::function<void(QDialog&)> options) {
        Trigger("ActionInputInsert");
        Script.AnswerDialog(PressOk([=](QDialog& dialog) {
            SetText(dialog, "EditCaption", caption);
            SetText(dialog, "EditName", name);
            options(dialog);
        }));
        Trigger(kindAction);
        Child<QMenu>(Window(), "PopupMenuInput")->hide();
    }
    void AddTemplate(const QString& name, int charCode, const QString& html) {
        Script.AnswerDialog(PressOk([=](QDialog& editor) {
            SetText(editor, "EditName", name);
            Child<QComboBox>(editor, "ComboBoxCharCode")->setCurrentIndex(charCode);
            Child<QPlainTextEdit>(editor, "RichEditHtml")->setPlainText(html);
        }));
        Trigger("ActionTemplateInsert");
    }
    // Queues the choice editor's answers for one "追加(&I)" each.
    void AddChoices(QDialog& dialog, const QList<std::pair<QString, QString>>& choices) {
        for (const auto& [caption, value] : choices) {
            Script.AnswerDialog(PressOk([caption, value](QDialog& editor) {
                SetText(editor, "EditCaption", caption);
                SetText(editor, "EditValue", value);
            }));
            Child<QAction>(dialog, "ActionItemInsert")->trigger();
        }
    }
    static void Tick(QDialog& dialog, const char* box) { Click(dialog, box); }
};

}  // namespace

TEST_F(TDesignedProjectTest, DesignedThroughTheDialogsSavedAndUsedByTheCommand) {
    StartWindow();
    AddItem("ActionInputInsertEdit", "題名", "title", [](QDialog& d) {
        SetText(d, "EditBlankValue", "（無題）");
        Tick(d, "CheckBoxAllowHtmlTag");
        SetText(d, "EditMaxLength", "40");
        Tick(d, "CheckBoxRequired");
    });
    AddItem("ActionInputInsertMemo", "本文", "body", [](QDialog& d) {
        SetText(d, "EditBlankValue", "なし");
        Tick(d, "CheckBoxConvertBr");
        SetText(d, "EditMaxLength", "");
    });
    AddItem("ActionInputInsertDate", "日付", "date", [](QDialog& d) {
        Child<QComboBox>(d, "ComboBoxKind")->setCurrentIndex(2);
        SetText(d, "EditFormat", "yyyy/mm/dd hh:nn");
    });
    AddItem("ActionInputInsertComboBox", "分類", "category", [this](QDialog& d) {
        AddChoices(d, {{"お知らせ", "info"}, {"新商品", "<b>新</b>"}, {"文字コード", ""}});
    });
    AddItem("ActionInputInsertImage", "写真", "photo", [](QDialog& d) {
        Tick(d, "CheckBoxZoomOutImage");
        SetText(d, "EditMaxHeight", "120");
        SetText(d, "EditMaxWidth", "160");
    });
    AddItem("ActionInputInsertEdit", "文字コード", "charset",
            [](QDialog& d) { SetText(d, "EditBlankValue", "UTF-8"); });
    AddTemplate("標準", 0, Page);
    AddTemplate("旧サイト", 2, QString(Page).replace("<#p name=charset>", "EUC-JP"));
    Click(Window(), "CheckBoxFtpUse");
    SetText(Window(), "EditFtpHost", "ftp.example.jp");
    SetText(Window(), "EditFtpPort", "2121");
    SetText(Window(), "EditFtpUser", "利用者");
    SetText(Window(), "EditFtpPassword", "秘密");
    SetText(Window(), "EditFtpDirHtml", "/www");
    SetText(Window(), "EditFtpDirImage", "/www/画像");
    const QString project = Scratch.File(QStringLiteral("designed.PT"));
    Script.AnswerFile(project);
    Trigger("ActionFileSaveAs");
    ASSERT_TRUE(Script.Messages.empty()) << Script.MessageTexts().join(',').toStdString();

    const auto info = testsupport::RunOrvaneMake({"info", project});
    ASSERT_EQ(info.ExitCode, 0) << info.Err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(info.Out.toUtf8()).object();
    const QJsonArray items = json["InputItems"].toArray();
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[0].toObject(), QJsonObject({{"InputType", 0},
                                                {"TypeName", "一行入力欄"},
                                                {"Name", "title"},
                                                {"Caption", "題名"},
                                                {"BlankValue", "（無題）"},
                                                {"AllowHtmlTag", true},
                                                {"MaxLength", 40},
                                                {"Required", true},
                                                {"NumbersOnly", false}}));
    EXPECT_EQ(items[1].toObject(), QJsonObject({{"InputType", 1},
                                                {"TypeName", "複数行入力欄"},
                                                {"Name", "body"},
                                                {"Caption", "本文"},
                                                {"BlankValue", "なし"},
                                                {"AllowHtmlTag", false},
                                                {"MaxLength", 0},
                                                {"Required", false},
                                                {"ConvertBr", true}}));
    EXPECT_EQ(items[2].toObject(), QJsonObject({{"InputType", 2},
                                                {"TypeName", "日時選択欄"},
                                                {"Name", "date"},
                                                {"Caption", "日付"},
                                                {"Format", "yyyy/mm/dd hh:nn"},
                                                {"Kind", 2}}));
    EXPECT_EQ(items[3].toObject(),
              QJsonObject({{"InputType", 3},
                           {"TypeName", "プルダウンメニュー"},
                           {"Name", "category"},
                           {"Caption", "分類"},
                           {"Items",
                            QJsonArray({QJsonObject{{"Caption", "お知らせ"}, {"Value", "info"}},
                                        QJsonObject{{"Caption", "新商品"}, {"Value", "<b>新</b>"}},
                                        QJsonObject{{"Caption", "文字コード"}, {"Value", ""}}})}}));
    EXPECT_EQ(items[4].toObject(), QJsonObject({{"InputType", 4},
                                                {"TypeName", "画像"},
                                                {"Name", "photo"},
                                                {"Caption", "写真"},
                                                {"MaxImageWidth", 160},
                                                {"MaxImageHeight", 120},
                                                {"ZoomOutImage", true}}));
    const QJsonArray templates = json["HtmlTemplates"].toArray();
    ASSERT_EQ(templates.size(), 2);
    EXPECT_EQ(templates[0].toObject()["Name"].toString(), u"標準");
    EXPECT_EQ(templates[0].toObject()["CharCode"].toInt(), 0);
    EXPECT_EQ(templates[0].toObject()["Html"].toString(),
              QString(Page).replace("\n", "\r\n") + "\r\n");
    EXPECT_EQ(templates[1].toObject()["Name"].toString(), u"旧サイト");
    EXPECT_EQ(templates[1].toObject()["CharCode"].toInt(), 2);
    const QJsonObject ftp = json["FTP"].toObject();
    EXPECT_EQ(ftp["IsUse"].toBool(), true);
    EXPECT_EQ(ftp["Host"].toString(), u"ftp.example.jp");
    EXPECT_EQ(ftp["Port"].toInt(), 2121);
    EXPECT_EQ(ftp["User"].toString(), u"利用者");
    EXPECT_EQ(ftp["PasswordSet"].toBool(), true);
    EXPECT_EQ(ftp["DirHtml"].toString(), u"/www");
    EXPECT_EQ(ftp["DirImage"].toString(), u"/www/画像");
    // The command shows only whether a password is set; the file holds it as typed.
    TProject loaded;
    loaded.LoadFromFile(project);
    EXPECT_EQ(loaded.FtpConfig.Password, u"秘密");

    const QString values = Scratch.File(QStringLiteral("values.json"));
    testsupport::WriteFile(
        values,
        QJsonDocument(
            QJsonObject{
                {"title", "春の<お知らせ>"},
                {"body", "一行目\n二行目"},
                {"date", "2026-04-01T09:30:00"},
                {"category", 1},
                {"photo", QJsonObject{{"path", ORVANE_SOURCE_DIR "/examples/pictures/yuuhi.jpg"},
                                      {"file", "photo.jpg"}}},
            })
            .toJson());
    const std::pair<const char*, int> pages[] = {{"#0", 65001}, {"#1", 20932}};
    for (const auto& [templ, codePage] : pages) {
        const QString out = Scratch.File(QStringLiteral("out") + templ);
        const auto run = testsupport::RunOrvaneMake(
            {"page", project, "--template", templ, "--values", values, "--out", out});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        const QString text =
            TCodePage::Decode(testsupport::ReadFile(out + "/index.html"), codePage);
        EXPECT_TRUE(text.contains("<h1>春の<お知らせ></h1>\r\n")) << text.toStdString();
        EXPECT_TRUE(text.contains("<p>2026/04/01 09:30 <b>新</b></p>")) << text.toStdString();
        EXPECT_TRUE(text.contains("<div>一行目<br />二行目</div>")) << text.toStdString();
        EXPECT_TRUE(text.contains("<img src=\"photo.jpg\">")) << text.toStdString();
        const QImage photo(out + "/photo.jpg");
        ASSERT_FALSE(photo.isNull());
        EXPECT_LE(photo.width(), 160);
        EXPECT_LE(photo.height(), 120);
    }
}
