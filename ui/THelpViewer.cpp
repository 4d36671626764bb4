#include "THelpViewer.h"

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <map>

#include "TApplication.h"
#include "ui_THelpViewer.h"

namespace {

const QString HelpFolder = QStringLiteral("qrc:/help/");

const std::map<int, QString>& Topics() {
    static const std::map<int, QString> topics = {
        {11, QStringLiteral("item-edit.html")},     {12, QStringLiteral("item-memo.html")},
        {13, QStringLiteral("item-date.html")},     {14, QStringLiteral("item-combobox.html")},
        {15, QStringLiteral("item-image.html")},    {16, QStringLiteral("combobox-choice.html")},
        {17, QStringLiteral("template-edit.html")}, {18, QStringLiteral("html-preview.html")},
        {25, QStringLiteral("image-preview.html")},
    };
    return topics;
}

QPointer<THelpViewer>& Instance() {
    static QPointer<THelpViewer> instance;
    return instance;
}

// A help window opened from a modal dialog must belong to that dialog, or the dialog would
// block it; otherwise it belongs to the main window and closes with it.
QWidget* Owner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget))
            return widget;
    }
    return nullptr;
}

}  // namespace

THelpViewer::THelpViewer(QWidget* owner)
    : QWidget(owner, Qt::Window), ui(std::make_unique<Ui::THelpViewer>()) {
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui->BtnContents, &QPushButton::clicked, this, [this] { ShowPage(ContentsPage()); });
    connect(ui->BtnBack, &QPushButton::clicked, ui->TextBrowserHelp, &QTextBrowser::backward);
    connect(ui->BtnForward, &QPushButton::clicked, ui->TextBrowserHelp, &QTextBrowser::forward);
    connect(ui->BtnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->TextBrowserHelp, &QTextBrowser::backwardAvailable, ui->BtnBack,
            &QPushButton::setEnabled);
    connect(ui->TextBrowserHelp, &QTextBrowser::forwardAvailable, ui->BtnForward,
            &QPushButton::setEnabled);
    connect(ui->TextBrowserHelp, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(DocumentTitle() + QStringLiteral(" - ") + TApplication::Title() +
                       QStringLiteral(" ヘルプ"));
    });
    ui->BtnBack->setEnabled(false);
    ui->BtnForward->setEnabled(false);
}

THelpViewer::~THelpViewer() = default;

void THelpViewer::ShowContents() {
    Show(ContentsPage());
}

void THelpViewer::ShowTopic(int context) {
    const QString page = TopicPage(context);
    Show(page.isEmpty() ? ContentsPage() : page);
}

THelpViewer* THelpViewer::Current() {
    return Instance();
}

QString THelpViewer::TopicPage(int context) {
    const auto topic = Topics().find(context);
    return topic == Topics().end() ? QString() : topic->second;
}

QString THelpViewer::ContentsPage() {
    return QStringLiteral("index.html");
}

void THelpViewer::Show(const QString& page) {
    QWidget* owner = Owner();
    QPointer<THelpViewer>& instance = Instance();
    if (instance && instance->parentWidget() != owner)
        delete instance.data();
    if (!instance) {
        instance = new THelpViewer(owner);
        if (owner)
            instance->move(owner->geometry().center() - instance->rect().center());
    }
    instance->ShowPage(page);
    instance->show();
    instance->raise();
    instance->activateWindow();
}

void THelpViewer::ShowPage(const QString& page) {
    ui->TextBrowserHelp->setSource(QUrl(HelpFolder + page));
}

QUrl THelpViewer::Source() const {
    return ui->TextBrowserHelp->source();
}

QString THelpViewer::DocumentTitle() const {
    return ui->TextBrowserHelp->documentTitle();
}

QString THelpViewer::DocumentText() const {
    return ui->TextBrowserHelp->toPlainText();
}
