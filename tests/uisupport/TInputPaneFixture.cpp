#include "TInputPaneFixture.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>
#include <optional>

#include "UnitFrameInputItemList.h"

namespace testsupport {

QString TInputPaneFixture::ExampleProject() {
    return QStringLiteral(ORVANE_SOURCE_DIR "/examples/shop.PT");
}

QString TInputPaneFixture::ExamplePicture(const QString& name) {
    return QStringLiteral(ORVANE_SOURCE_DIR "/examples/pictures/") + name;
}

void TInputPaneFixture::OpenProject(const QString& path) {
    StartWindow();
    Window().OpenProjectFile(path);
}

void TInputPaneFixture::EnterInputTab() {
    Window().findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->setCurrentIndex(1);
}

void TInputPaneFixture::LeaveInputTab() {
    Window().findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->setCurrentIndex(0);
}

TFrameInputItemList& TInputPaneFixture::Pane() {
    return *Window().findChild<TFrameInputItemList*>();
}

QWidget* TInputPaneFixture::Frame(int index) {
    QWidget* frame = Pane().findChild<QWidget*>(QStringLiteral("Frame%1").arg(index));
    EXPECT_NE(frame, nullptr) << "no frame " << index;
    return frame;
}

void TInputPaneFixture::SelectTemplate(int index) {
    Window()
        .findChild<QComboBox*>(QStringLiteral("ComboBoxPreviewTemplate"))
        ->setCurrentIndex(index);
}

void TInputPaneFixture::FillExampleValues() {
    Control<QLineEdit>(0, "Edit")->setText(QStringLiteral("春の新商品のお知らせ"));
    Control<QPlainTextEdit>(1, "Memo")->setPlainText(QStringLiteral(
        "いつもありがとうございます。\n春の新商品が入荷しました。\n<ご来店>をお待ちしています！"));
    Control<QDateTimeEdit>(2, "Picker")->setDateTime(QDateTime(QDate(2026, 4, 1), QTime(0, 0)));
    Control<QComboBox>(3, "ComboBox")->setCurrentIndex(1);
    Control<QLineEdit>(4, "EditPath")->setText(ExamplePicture(QStringLiteral("yuuhi.jpg")));
    Control<QLineEdit>(4, "EditFilename")->setText(QStringLiteral("yuuhi-small.jpg"));
    Control<QLineEdit>(5, "EditPath")->setText(ExamplePicture(QStringLiteral("logo.png")));
    Control<QLineEdit>(5, "EditFilename")->setText(QStringLiteral("logo.png"));
    Control<QLineEdit>(6, "Edit")->setText(QStringLiteral("1980"));
}

QStringList TInputPaneFixture::TempEntries() const {
    return QDir(TempRoot.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

namespace {

// The script's value, or nothing after the time allowed; the callback may still come later
// and then writes into memory it shares.
std::optional<QVariant> Evaluate(QWebEnginePage* page, const QString& script, int timeoutMs) {
    auto result = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [result](const QVariant& value) { *result = value; });
    (void)QTest::qWaitFor([&] { return result->has_value(); }, timeoutMs);
    return *result;
}

}  // namespace

QVariant PageValue(QWebEngineView* view, const QString& script) {
    // The view names the page it was asked for at once; the document is there only once its
    // own location says so.
    const QString loaded = QStringLiteral("location.protocol + document.readyState");
    const bool ready = QTest::qWaitFor(
        [&] {
            const auto state = Evaluate(view->page(), loaded, 2000);
            return state && state->toString() == QStringLiteral("orvane-preview:complete");
        },
        60000);
    if (!ready)
        return {};
    return Evaluate(view->page(), script, 10000).value_or(QVariant());
}

}  // namespace testsupport
