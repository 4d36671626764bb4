// The help: its pages are built in, every link between them leads somewhere, and the viewer
// opens at the contents or at the page of a dialog's context number.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "THelpViewer.h"
#include "TMainWindowFixture.h"

namespace {

QString PageText(const QString& page) {
    QFile file(QStringLiteral(":/help/") + page);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
    return QString::fromUtf8(file.readAll());
}

class THelpViewerTest : public ::testing::Test {
protected:
    ~THelpViewerTest() override { delete THelpViewer::Current(); }
};

TEST_F(THelpViewerTest, ContentsAndEveryDialogTopicOpenTheirPage) {
    struct TCase {
        int Context;  // 0: the contents
        QString Title;
    };
    const TCase cases[] = {
        {0, QStringLiteral("目次")},
        {11, QStringLiteral("一行入力欄")},
        {12, QStringLiteral("複数行入力欄")},
        {13, QStringLiteral("日時")},
        {14, QStringLiteral("プルダウンメニュー")},
        {15, QStringLiteral("画像")},
        {16, QStringLiteral("選択項目")},
        {17, QStringLiteral("テンプレート")},
        {18, QStringLiteral("HTMLプレビュー")},
        {25, QStringLiteral("画像プレビュー")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Context);
        if (c.Context == 0) {
            THelpViewer::ShowContents();
        } else {
            THelpViewer::ShowTopic(c.Context);
        }
        THelpViewer* viewer = THelpViewer::Current();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_EQ(viewer->DocumentTitle(), c.Title);
        EXPECT_GT(viewer->DocumentText().size(), 150);
        EXPECT_TRUE(viewer->windowTitle().startsWith(c.Title));
    }
}

TEST_F(THelpViewerTest, AContextWithoutAPageShowsTheContents) {
    for (const int context : {0, 1, 19, 99, -1}) {
        SCOPED_TRACE(context);
        THelpViewer::ShowTopic(context);
        ASSERT_NE(THelpViewer::Current(), nullptr);
        EXPECT_EQ(THelpViewer::Current()->Source().fileName(), THelpViewer::ContentsPage());
    }
}

TEST_F(THelpViewerTest, EveryLinkLeadsToAPageThatExists) {
    const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
    ASSERT_GE(pages.size(), 10);
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)\""));
    for (const QString& page : pages) {
        const QString text = PageText(page);
        EXPECT_TRUE(text.contains(QStringLiteral("<title>"))) << page.toStdString();
        for (const auto& match : link.globalMatch(text)) {
            const QString target = match.captured(1);
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + target))
                << page.toStdString() << " links to " << target.toStdString();
        }
    }
    // The contents lead to every page.
    const QString contents = PageText(THelpViewer::ContentsPage());
    for (const QString& page : pages) {
        if (page != THelpViewer::ContentsPage()) {
            EXPECT_TRUE(contents.contains(page)) << page.toStdString();
        }
    }
}

TEST_F(THelpViewerTest, HelpFromAModalDialogBelongsToThatDialog) {
    // A help window owned by anything else would be blocked by the dialog.
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    THelpViewer::ShowTopic(17);
    ASSERT_NE(THelpViewer::Current(), nullptr);
    EXPECT_EQ(THelpViewer::Current()->parentWidget(), &dialog);
    dialog.hide();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    THelpViewer::ShowContents();
    EXPECT_NE(THelpViewer::Current()->parentWidget(), &dialog);
}

using THelpCommandTest = testsupport::TMainWindowFixture;

TEST_F(THelpCommandTest, HelpCommandOpensTheContentsInAWindowOfTheMainWindow) {
    StartWindow();
    Trigger("ActionHelpHelp");
    THelpViewer* viewer = THelpViewer::Current();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->Source().fileName(), THelpViewer::ContentsPage());
    EXPECT_EQ(viewer->parentWidget(), &Window());
    EndWindow();
    EXPECT_EQ(THelpViewer::Current(), nullptr);  // closed with the main window
}

}  // namespace
