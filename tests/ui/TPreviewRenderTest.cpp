// The rendered page in the preview window's web view: the example project's page with its
// pictures loaded from the preview's folder, a page far beyond the 2 MB that setHtml takes,
// and Japanese text whatever charset the page declares.

#include <gtest/gtest.h>

#include <QDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QWebEngineView>

#include "TInputPaneFixture.h"
#include "TPictureLoader.h"
#include "UnitFormHtmlPreview.h"

namespace {

using testsupport::PageValue;

QWebEngineView* View(QDialog& window) {
    return window.findChild<QWebEngineView*>(QStringLiteral("WebBrowser1"));
}

class TPreviewRenderTest : public testsupport::TInputPaneFixture {};

TEST_F(TPreviewRenderTest, TheExamplePageShowsItsPictures) {
    OpenProject(ExampleProject());
    EnterInputTab();
    FillExampleValues();
    QJsonArray images;
    QMap<QString, QSize> pictures;  // file name -> size, read while the folder exists
    Script.AnswerDialog([&](QDialog& dialog) {
        dialog.show();
        for (const QString& picture : dynamic_cast<TFormHtmlPreview&>(dialog).ImageFiles())
            pictures.insert(QFileInfo(picture).fileName(), TPictureLoader::Load(picture).size());
        const QVariant sizes =
            PageValue(View(dialog), QStringLiteral("JSON.stringify(Array.from(document.images).map("
                                                   "i => [i.getAttribute('src'), i.naturalWidth, "
                                                   "i.naturalHeight]))"));
        images = QJsonDocument::fromJson(sizes.toString().toUtf8()).array();
        dialog.hide();
    });
    TriggerThroughEventLoop("ActionInputPreviewHtml");
    ASSERT_EQ(pictures.size(), 2);
    ASSERT_EQ(images.size(), 2);
    for (const QJsonValue& image : images) {
        const QJsonArray entry = image.toArray();
        const QString name = entry[0].toString();
        ASSERT_TRUE(pictures.contains(name)) << name.toStdString();
        const QSize size(entry[1].toInt(), entry[2].toInt());
        EXPECT_EQ(size, pictures.value(name)) << name.toStdString();
        EXPECT_GT(size.width(), 0);
    }
}

TEST(TPreviewRenderPageTest, APageOfThreeMegabytesRenders) {
    QString page = QStringLiteral("<html><body>");
    const QString line = QStringLiteral("<p>大きなページの一行です。0123456789</p>\n");
    while (page.toUtf8().size() < 3 * 1024 * 1024)
        page += line.repeated(1000);
    page += QStringLiteral("<p id=\"end\">最後の行</p></body></html>");
    TFormHtmlPreview window(nullptr);
    window.SetHtml(page, 65001);
    window.show();
    EXPECT_EQ(PageValue(View(window), QStringLiteral("document.getElementById('end').textContent"))
                  .toString(),
              QStringLiteral("最後の行"));
    EXPECT_GT(PageValue(View(window), QStringLiteral("document.body.innerText.length")).toInt(),
              1000000);
}

TEST(TPreviewRenderPageTest, JapaneseTextShowsWhateverCharsetThePageDeclares) {
    for (const char* charset : {"UTF-8", "Shift_JIS", "EUC-JP"}) {
        SCOPED_TRACE(charset);
        TFormHtmlPreview window(nullptr);
        window.SetHtml(QStringLiteral("<html><head><meta charset=\"%1\"><title>春の新商品</title>"
                                      "</head><body>本文</body></html>")
                           .arg(QString::fromLatin1(charset)),
                       932);
        EXPECT_EQ(PageValue(View(window), QStringLiteral("document.title")).toString(),
                  QStringLiteral("春の新商品"));
    }
}

}  // namespace
