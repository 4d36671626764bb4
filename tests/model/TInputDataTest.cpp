#include <gtest/gtest.h>

#include "TEntryCheck.h"
#include "TError.h"
#include "TFakeFrame.h"
#include "TInputComboBox.h"
#include "TInputData.h"
#include "TInputDateTime.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TInputMemo.h"
#include "TTestSupport.h"

namespace {

// The message CheckEntry throws, or "" when the entry passes.
QString CheckMessage(const TInputBase& item, const TInputData& entered) {
    try {
        CheckEntry(item, entered);
        return QString();
    } catch (const TError& e) {
        return e.Message();
    }
}

TEST(TEntryCheck, OneLineRequiredAndNumbersOnly) {
    struct TCase {
        bool Required;
        bool NumbersOnly;
        const char* Text;
        const char16_t* Message;
    };
    const TCase cases[] = {
        {true, false, "", u"題名が入力されていません。"},
        {true, false, " ", u""},
        {false, false, "", u""},
        {false, true, "", u"題名に数字以外の文字が入力されています。"},
        {true, true, "", u"題名が入力されていません。"},
        {false, true, " 12", u""},
        {false, true, "12 ", u"題名に数字以外の文字が入力されています。"},
        {false, true, "-5", u""},
        {false, true, "$1F", u""},
        {false, true, "2147483648", u"題名に数字以外の文字が入力されています。"},
        {false, true, "１２", u"題名に数字以外の文字が入力されています。"},
    };
    for (const auto& c : cases) {
        TInputEdit item;
        item.SetCaption("題名");
        item.Required = c.Required;
        item.NumbersOnly = c.NumbersOnly;
        const TInputDataEdit entered(&item, QString::fromUtf8(c.Text));
        EXPECT_EQ(CheckMessage(item, entered), QString::fromUtf16(c.Message)) << c.Text;
    }
}

TEST(TEntryCheck, MultiLinePullDownAndDateTime) {
    TInputMemo memo;
    memo.SetCaption("本文");
    memo.Required = true;
    EXPECT_EQ(CheckMessage(memo, TInputDataMemo(&memo, "")), QString("本文が入力されていません。"));
    EXPECT_EQ(CheckMessage(memo, TInputDataMemo(&memo, "\r\n")), QString());

    TInputComboBox combo;
    combo.SetCaption("色");
    combo.AddItem("赤", "red");
    EXPECT_EQ(CheckMessage(combo, TInputDataComboBox(&combo, -1)),
              QString("色が選択されていません。"));
    EXPECT_EQ(CheckMessage(combo, TInputDataComboBox(&combo, 0)), QString());
    // A frame's copy may have more choices than the project's item.
    TInputComboBox frameCopy;
    frameCopy.AddItem("赤", "red");
    frameCopy.AddItem("青", "blue");
    EXPECT_EQ(CheckMessage(combo, TInputDataComboBox(&frameCopy, 1)), QString());
    EXPECT_EQ(TInputDataComboBox(&frameCopy, 1).CreateOutputData().Text, QString("blue"));

    TInputDateTime date;
    EXPECT_EQ(CheckMessage(date, TInputDataDateTime(&date, {}, {})), QString());
}

TEST(TEntryCheck, PictureUsesTheFramesCaption) {
    testsupport::TScratchDir dir;
    const QString existing = dir.File("a.png");
    testsupport::WriteFile(existing, "x");
    TInputImage project;
    project.SetCaption("写真");
    TInputImage frameCopy;
    frameCopy.SetCaption("枠の写真");
    const std::tuple<QString, QString, const char16_t*> cases[] = {
        {"", "a.png", u"枠の写真の画像ファイルの場所が指定されていません。"},
        {dir.File("missing.png"), "a.png", u"枠の写真の画像ファイルが存在しません。"},
        {dir.Path(), "a.png", u"枠の写真の画像ファイルが存在しません。"},
        {existing, "", u"枠の写真の画像ファイル名が入力されていません。"},
        {existing, "b.png", u""},
    };
    for (const auto& [path, name, message] : cases) {
        EXPECT_EQ(CheckMessage(project, TInputDataImage(&frameCopy, path, name)),
                  QString::fromUtf16(message))
            << path.toStdString();
    }
}

TEST(TEntryCheck, CheckInputReadsTheFrame) {
    testsupport::RegisterFakeFrames();
    TInputEdit item;
    item.SetCaption("名前");
    item.Required = true;
    auto* frame = dynamic_cast<testsupport::TFakeFrame*>(item.CreateFrame(nullptr, "Frame0"));
    ASSERT_TRUE(frame);
    EXPECT_THROW(item.CheckInput(), TError);
    frame->Text = "x";
    EXPECT_NO_THROW(item.CheckInput());
}

TEST(TOutputConversion, OneLineEscapesOrPassesAndFallsBackToTheBlankValue) {
    struct TCase {
        bool AllowHtml;
        const char* Text;
        const char* Expected;
    };
    const TCase cases[] = {
        {false, "a<b & \"c\"", "a&lt;b &amp; &quot;c&quot;"},
        {true, "a<b & \"c\"", "a<b & \"c\""},
        {false, "&lt;", "&amp;lt;"},
        {false, "it's", "it's"},
        {false, "", "<i>none</i>"},
        {true, "", "<i>none</i>"},
    };
    for (const auto& c : cases) {
        TInputEdit item;
        item.AllowHtmlTag = c.AllowHtml;
        item.BlankValue = "<i>none</i>";
        const TOutputData out = TInputDataEdit(&item, c.Text).CreateOutputData();
        EXPECT_EQ(out.Text, QString(c.Expected)) << c.Text;
        EXPECT_TRUE(out.FileName.isEmpty());
        EXPECT_TRUE(out.FileData.isEmpty());
    }
    EXPECT_EQ(TInputDataEdit(nullptr, "x").CreateOutputData().Text, QString());
}

TEST(TOutputConversion, MultiLineBreaksAndEscaping) {
    struct TCase {
        bool ConvertBr;
        bool AllowHtml;
        const char* Text;
        const char* Expected;
    };
    const TCase cases[] = {
        {true, false, "a\r\nb", "a<br />b"},         {true, false, "a\rb", "a<br />b"},
        {true, false, "a\nb", "a<br />b"},           {true, false, "a\n\rb", "a<br /><br />b"},
        {true, false, "<x>\r\n", "&lt;x&gt;<br />"}, {true, true, "<x>\n", "<x><br />"},
        {false, false, "a\r\nb<", "a\r\nb&lt;"},     {true, false, "", "blank\r\n <b>"},
    };
    for (const auto& c : cases) {
        TInputMemo item;
        item.ConvertBr = c.ConvertBr;
        item.AllowHtmlTag = c.AllowHtml;
        item.BlankValue = "blank\r\n <b>";
        EXPECT_EQ(TInputDataMemo(&item, c.Text).CreateOutputData().Text, QString(c.Expected))
            << c.Text;
    }
    EXPECT_EQ(TInputDataMemo(nullptr, "<raw>").CreateOutputData().Text, QString("<raw>"));
}

TEST(TOutputConversion, PullDownOutputsTheChosenValueUnescaped) {
    TInputComboBox item;
    item.AddItem("一", "<b>1</b>");
    item.AddItem("二", "2");
    EXPECT_EQ(TInputDataComboBox(&item, 0).CreateOutputData().Text, QString("<b>1</b>"));
    EXPECT_EQ(TInputDataComboBox(&item, 1).CreateOutputData().Text, QString("2"));
    EXPECT_EQ(TInputDataComboBox(&item, 2).CreateOutputData().Text, QString());
    EXPECT_EQ(TInputDataComboBox(&item, -1).CreateOutputData().Text, QString());
}

TEST(TInputDataMap, FirstValueWinsAndKeysAreCaseSensitive) {
    TInputEdit item;
    TInputDataMap map;
    EXPECT_TRUE(map.Insert("title", std::make_unique<TInputDataEdit>(&item, "first")));
    EXPECT_FALSE(map.Insert("title", std::make_unique<TInputDataEdit>(&item, "second")));
    EXPECT_TRUE(map.Insert("Title", std::make_unique<TInputDataEdit>(&item, "upper")));
    EXPECT_TRUE(map.Insert("b", std::make_unique<TInputDataEdit>(&item, "b")));
    const TOutputDataMap out = map.CreateOutputDataMap();
    ASSERT_EQ(out.Count(), 3);
    EXPECT_EQ(out.Find("title")->Text, QString("first"));
    EXPECT_EQ(out.Find("Title")->Text, QString("upper"));
    EXPECT_EQ(out.Find("TITLE"), nullptr);
    // Code-unit order: capitals before small letters.
    QStringList keys;
    for (const auto& [name, data] : out)
        keys.append(name);
    EXPECT_EQ(keys, QStringList({"Title", "b", "title"}));
}

TEST(TInputData, KeepsItsOwnCopyOfTheItem) {
    auto item = std::make_unique<TInputEdit>();
    item->BlankValue = "kept";
    const TInputDataEdit entered(item.get(), "");
    item.reset();
    EXPECT_EQ(entered.CreateOutputData().Text, QString("kept"));
}

}  // namespace

namespace {

TEST(TOutputConversion, DateTimeCombinesThePickersByKind) {
    const QDateTime picker(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QDateTime picker2(QDate(1999, 12, 31), QTime(8, 30, 0));
    struct TCase {
        int Kind;
        const char* Format;
        QString Expected;
    };
    const TCase cases[] = {
        {0, "", "2024/03/05"},
        {0, "yyyy/mm/dd hh:nn", "2024/03/05 00:00"},
        {2, "", "2024/03/05 8:30:00"},
        {2, "h:mm", "8:30"},
        {2, "mm", "03"},
        {1, "hh:nn", "14:07"},
        {1, "yyyy/mm/dd", QDate::currentDate().toString("yyyy/MM/dd")},
    };
    for (const auto& c : cases) {
        TInputDateTime item;
        item.SetKind(c.Kind);
        item.Format = c.Format;
        EXPECT_EQ(TInputDataDateTime(&item, picker, picker2).CreateOutputData().Text, c.Expected)
            << c.Kind << " " << c.Format;
    }
    EXPECT_EQ(TInputDataDateTime(nullptr, picker, picker2).CreateOutputData().Text, QString());
}

}  // namespace
