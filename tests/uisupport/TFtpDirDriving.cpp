#include "TFtpDirDriving.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QTest>

namespace testsupport {

namespace {
constexpr int WaitMs = 15000;
}  // namespace

::testing::AssertionResult TFtpDirDriver::WaitConnected(const TDialogScript& script) {
    QComboBox* history = History();
    if (QTest::qWaitFor([&] { return history->count() > 0 || !script.Messages.empty(); }, WaitMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the browser neither listed nor showed a box";
}

QStringList TFtpDirDriver::Column(int column) {
    QStringList texts;
    for (int row = 0; row < List()->topLevelItemCount(); ++row)
        texts << List()->topLevelItem(row)->text(column);
    return texts;
}

QStringList TFtpDirDriver::HistoryItems() {
    QStringList items;
    for (int i = 0; i < History()->count(); ++i)
        items << History()->itemText(i);
    return items;
}

void TFtpDirDriver::ClickHeader(int column) {
    QHeaderView* header = List()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

void TFtpDirDriver::DoubleClick(const QString& name) {
    const qsizetype row = Names().indexOf(name);
    ASSERT_GE(row, 0) << name.toStdString();
    const QRect rect = List()->visualItemRect(List()->topLevelItem(int(row)));
    // A person's double click: a click, then the second press that makes it double.
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
}

void TFtpDirDriver::ChooseHistory(int index) {
    History()->setCurrentIndex(index);
    Q_EMIT History()->activated(index);
}

void TFtpDirDriver::Click(const char* button) {
    if (auto* found = Find<QAbstractButton>(button))
        found->click();
}

void TFtpDirDriver::EnterFolders(const QString& path) {
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts))
        DoubleClick(part);
}

std::function<void(QDialog&)> WorkBrowser(const TDialogScript& script, TBrowserSeen& seen,
                                          std::function<void(TFtpDirDriver&)> work) {
    return [&script, &seen, work = std::move(work)](QDialog& dialog) {
        ++seen.Shown;
        dialog.show();
        TFtpDirDriver browser(dialog);
        EXPECT_TRUE(browser.WaitConnected(script));
        if (work)
            work(browser);
        seen.Path = browser.History()->currentText();
        seen.Log = browser.Log()->toPlainText();
        seen.DirButtonsVisible = browser.Find<QWidget>("BtnDirHtml")->isVisible();
        browser.Click("BtnClose");
        EXPECT_FALSE(dialog.isVisible());
    };
}

}  // namespace testsupport
