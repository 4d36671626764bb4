#pragma once
// Serves one preview page to the web view from memory, with its pictures, under a URL scheme
// of the program's own. A page of any size renders this way (setHtml stops at 2 MB), and the
// page's relative picture references find the pictures written for the preview.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

class TPreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

public:
    static QByteArray Scheme();
    // Call once before the application object exists.
    static void RegisterScheme();
    // Where the page is served; a bare file name in the page resolves beside it.
    static QUrl PageUrl();

    explicit TPreviewSchemeHandler(QObject* parent = nullptr);

    void SetPage(const QString& text) { FPage = text; }
    // The pictures the page may load, found by their file name (the last part of any path
    // the page asks for). Files that do not exist are not found.
    void SetPictures(const QStringList& paths);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QString FPage;
    QHash<QString, QString> FPictures;  // file name -> full path
};
