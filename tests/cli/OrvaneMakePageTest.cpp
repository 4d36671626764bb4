#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "TCodePage.h"
#include "TCommandRun.h"
#include "TTestSupport.h"

using testsupport::ReadFile;
using testsupport::RunOrvaneMake;
using testsupport::TScratchDir;
using testsupport::WriteFile;

namespace {

const QString Example = QStringLiteral(ORVANE_SOURCE_DIR "/examples/shop.PT");
const QString Values = QStringLiteral(ORVANE_SOURCE_DIR "/examples/values.json");

class OrvaneMakePageTest : public testing::Test {
protected:
    testsupport::TCommandResult Page(const QString& values, const QString& templ = "#0") {
        return RunOrvaneMake(
            {"page", Example, "--template", templ, "--values", values, "--out", FDir.File("out")});
    }
    // A values file made from the example's, with one key replaced.
    QString ValuesWith(const QString& key, const QJsonValue& value) {
        QJsonObject o = QJsonDocument::fromJson(ReadFile(Values)).object();
        o[key] = value;
        // Picture paths in the example are relative to its folder.
        for (const char* picture : {"photo", "logo"}) {
            QJsonObject p = o[picture].toObject();
            if (p.contains("path") && QDir::isRelativePath(p["path"].toString())) {
                p["path"] = QStringLiteral(ORVANE_SOURCE_DIR "/examples/") + p["path"].toString();
                o[picture] = p;
            }
        }
        const QString path = FDir.File(QString("values%1.json").arg(++FValuesFiles));
        WriteFile(path, QJsonDocument(o).toJson());
        return path;
    }
    TScratchDir FDir;
    int FValuesFiles = 0;
};

TEST_F(OrvaneMakePageTest, ExampleInAllThreeCodePagesDecodesToTheSameText) {
    QString utf8Text;
    const std::pair<const char*, int> templates[] = {{"#0", 65001}, {"#1", 932}, {"#2", 20932}};
    for (const auto& [templ, codePage] : templates) {
        const auto run = Page(Values, templ);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        const QByteArray bytes = ReadFile(FDir.File("out/index.html"));
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
        QString text = TCodePage::Decode(bytes, codePage);
        EXPECT_FALSE(text.contains(u'?')) << templ;
        text.replace(QRegularExpression("charset=\"[^\"]*\""), "charset");
        if (utf8Text.isEmpty())
            utf8Text = text;
        EXPECT_EQ(text, utf8Text) << templ;
        EXPECT_TRUE(text.contains("<h1>春の新商品のお知らせ</h1>\r\n"));
        EXPECT_TRUE(text.contains("2026年4月1日(水)"));
        EXPECT_TRUE(text.contains("&lt;ご来店&gt;"));
        EXPECT_EQ(run.Out.split('\n', Qt::SkipEmptyParts),
                  QStringList({FDir.File("out/index.html"), FDir.File("out/logo.png"),
                               FDir.File("out/yuuhi-small.jpg")}));
        EXPECT_EQ(ReadFile(FDir.File("out/logo.png")),
                  ReadFile(ORVANE_SOURCE_DIR "/examples/pictures/logo.png"));
    }
}

TEST_F(OrvaneMakePageTest, TemplatesAreFoundByNameAndPageFileIsChosen) {
    const auto run = RunOrvaneMake({"page", Example, "--template", "旧サイト(EUC-JP)", "--values",
                                    Values, "--out", FDir.File("o"), "--page", "news.html"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(ReadFile(FDir.File("o/news.html")).contains("charset=\"EUC-JP\""));
}

TEST_F(OrvaneMakePageTest, ErrorsGiveTheirMessageAndStatusAndWriteNothing) {
    WriteFile(FDir.File("bad.json"), "{\"title\": ");
    struct TCase {
        const char* Name;
        QString ValuesFile;
        QString Template;
        int Status;
        QString Message;
    };
    const TCase cases[] = {
        {"invalid json", FDir.File("bad.json"), "#0", 1, "JSON"},
        {"unknown template", Values, "なし", 1, "テンプレート「なし」が見つかりません。"},
        {"index past the end", Values, "#3", 1, "テンプレート「#3」が見つかりません。"},
        {"missing picture", ValuesWith("photo", QJsonObject{{"path", "/no/such.jpg"}}), "#0", 2,
         "写真の画像ファイルが存在しません。"},
        {"required empty", ValuesWith("title", ""), "#0", 2, "ページの題名が入力されていません。"},
        {"digits only", ValuesWith("price", "12円"), "#0", 2,
         "価格に数字以外の文字が入力されています。"},
        {"unknown choice", ValuesWith("category", "なし"), "#0", 1, "選択肢「なし」がありません。"},
        {"choice past the end", ValuesWith("category", 9), "#0", 1, "選択肢の番号(0 から"},
        {"bad date", ValuesWith("date", "2026/04/01"), "#0", 1, "YYYY-MM-DDThh:mm:ss"},
        {"nothing chosen", ValuesWith("category", -1), "#0", 2, "分類が選択されていません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto run = Page(c.ValuesFile, c.Template);
        EXPECT_EQ(run.ExitCode, c.Status);
        EXPECT_TRUE(run.Err.contains(c.Message)) << run.Err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(FDir.File("out")));
    }
}

TEST_F(OrvaneMakePageTest, MissingValuesTakeWhatTheFramesStartWith) {
    WriteFile(FDir.File("few.json"),
              "{\"title\": \"t\", \"price\": \"0\", \"photo\": {\"path\": \"" ORVANE_SOURCE_DIR
              "/examples/pictures/yuuhi.jpg\"}, \"logo\": {\"path\": \"" ORVANE_SOURCE_DIR
              "/examples/pictures/logo.png\", \"file\": \"l.png\"}}");
    const auto run = Page(FDir.File("few.json"));
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QString page = QString::fromUtf8(ReadFile(FDir.File("out/index.html")));
    EXPECT_TRUE(page.contains("分類: お知らせ"));        // the first choice
    EXPECT_TRUE(page.contains("（本文はありません）"));  // the multi-line blank value
    EXPECT_TRUE(page.contains("src=\"yuuhi.jpg\""));     // the file name of the path
    EXPECT_TRUE(page.contains(QDate::currentDate().toString("yyyy年M月d日")));
}

TEST_F(OrvaneMakePageTest, InfoShowsTheProjectWithoutThePassword) {
    const auto run = RunOrvaneMake({"info", Example});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    const QJsonArray items = o["InputItems"].toArray();
    ASSERT_EQ(items.size(), 7);
    EXPECT_EQ(items[3].toObject()["Items"].toArray()[1].toObject()["Caption"].toString(),
              QString("新商品"));
    EXPECT_EQ(items[1].toObject()["BlankValue"].toString(), QString("（本文はありません）"));
    EXPECT_EQ(o["HtmlTemplates"].toArray().size(), 3);
    EXPECT_FALSE(o["FTP"].toObject().contains("Password"));
    EXPECT_EQ(o["FTP"].toObject()["PasswordSet"].toBool(), false);
}

TEST_F(OrvaneMakePageTest, UsageErrorsAndHelp) {
    EXPECT_EQ(RunOrvaneMake({"--help"}).ExitCode, 0);
    EXPECT_TRUE(RunOrvaneMake({"page", "--help"}).Out.contains("VALUES.json"));
    for (const QStringList& args :
         {QStringList{"frobnicate"}, QStringList{"page", Example}, QStringList{"info"},
          QStringList{"info", FDir.File("none.PT")}, QStringList{"page", Example, "--template"}}) {
        const auto run = RunOrvaneMake(args);
        EXPECT_EQ(run.ExitCode, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(run.Err.isEmpty());
    }
}

}  // namespace
