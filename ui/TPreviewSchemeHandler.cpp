#include "TPreviewSchemeHandler.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

const QString PagePath = QStringLiteral("/preview/page.html");

// A byte-order mark outranks the page's own charset declaration, so a Shift_JIS or EUC-JP
// template (whose text is already decoded) is read back as the UTF-8 it is served in.
QByteArray PageBytes(const QString& text) {
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

}  // namespace

QByteArray TPreviewSchemeHandler::Scheme() {
    return QByteArrayLiteral("orvane-preview");
}

void TPreviewSchemeHandler::RegisterScheme() {
    QWebEngineUrlScheme scheme(Scheme());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Pages from the network may not reach into a preview.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl TPreviewSchemeHandler::PageUrl() {
    return QUrl(QString::fromLatin1(Scheme()) + ":" + PagePath);
}

TPreviewSchemeHandler::TPreviewSchemeHandler(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent) {}

void TPreviewSchemeHandler::SetPictures(const QStringList& paths) {
    FPictures.clear();
    for (const QString& path : paths)
        FPictures.insert(QFileInfo(path).fileName(), path);
}

void TPreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QString path = job->requestUrl().path();
    if (path == PagePath) {
        auto* page = new QBuffer(job);
        page->setData(PageBytes(FPage));
        page->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("text/html"), page);
        return;
    }
    const QString picture = FPictures.value(path.section(u'/', -1));
    auto* file = new QFile(picture, job);
    if (picture.isEmpty() || !file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(QMimeDatabase().mimeTypeForFile(picture).name().toUtf8(), file);
}
