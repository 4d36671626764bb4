// The preview road as the user takes it, timed: "プレビュー" pressed in the main window's
// input tab (checks, values, page generation into a fresh folder, the preview window) until
// the page with all its pictures is rendered in the web view, then the window closed and the
// folder removed. scripts/bench-preview.sh runs it for the example project and for five
// 4000 × 3000 JPEG pictures shrunk to 800 × 600, beside djpeg decoding the same files.
//
//   bench_preview --project=FILE.PT --values=VALUES.json [--runs=N]
//   bench_preview --pictures=JPEG,JPEG,... [--runs=N]   (a project of one image item each,
//                                                        shrunk to fit 800 × 600)
//   bench_preview --page-bytes=N [--runs=N]             (one item, a page of N bytes of text)
//
// Prints, per run, the milliseconds of each stage; the first run also starts the web engine.

#include <QComboBox>
#include <QCommandLineParser>
#include <QDateTimeEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>

#include "TApplication.h"
#include "TDialogRunner.h"
#include "TInputEdit.h"
#include "TInputImage.h"
#include "TPageGeneration.h"
#include "TProject.h"
#include "UnitFormHtmlPreview.h"
#include "UnitFormMain.h"
#include "UnitFrameInputItemList.h"

namespace {

struct TRun {
    double Total = 0;     // button to page rendered
    double Generate = 0;  // of which: button to preview window filled
    double Render = 0;    // of which: window filled to page and pictures rendered
    double Close = 0;     // window closed and folder removed
    int Pictures = 0;     // pictures the page showed
};

// A project of one image item per picture, each shrunk to fit 800 × 600, and its template.
QString WritePictureProject(const QStringList& pictures, const QString& folder) {
    TProject project;
    QString html = QStringLiteral("<html><body>\r\n");
    for (int i = 0; i < pictures.size(); ++i) {
        auto item = std::make_unique<TInputImage>();
        item->SetName(QStringLiteral("p%1").arg(i));
        item->SetCaption(QStringLiteral("写真%1").arg(i));
        item->MaxImageWidth = 800;
        item->MaxImageHeight = 600;
        item->ZoomOutImage = true;
        project.InputItems.Add(std::move(item));
        html += QStringLiteral("<img src=\"<#p name=p%1>\">\r\n").arg(i);
    }
    project.HtmlTemplates.Add(std::make_unique<THtmlTemplate>(
        QStringLiteral("写真"), THtmlTemplate::CharCodeUtf8, html + "</body></html>\r\n"));
    const QString path = folder + QStringLiteral("/pictures.PT");
    project.SaveToFile(path);
    return path;
}

// A project with one one-line item and a template of short lines, about `bytes` long.
QString WriteLargePageProject(qsizetype bytes, const QString& folder) {
    TProject project;
    auto item = std::make_unique<TInputEdit>();
    item->SetName(QStringLiteral("title"));
    item->SetCaption(QStringLiteral("題名"));
    project.InputItems.Add(std::move(item));
    QString html = QStringLiteral("<html><body><h1><#p name=title></h1>\r\n");
    const QString line = QStringLiteral("<p>大きなページの一行です。0123456789</p>\r\n");
    html += line.repeated(bytes / line.toUtf8().size() + 1);
    project.HtmlTemplates.Add(std::make_unique<THtmlTemplate>(
        QStringLiteral("大きなページ"), THtmlTemplate::CharCodeUtf8, html + "</body></html>\r\n"));
    const QString path = folder + QStringLiteral("/large.PT");
    project.SaveToFile(path);
    return path;
}

template <typename T>
T* Control(QWidget* pane, int frame, const char* name) {
    QWidget* f = pane->findChild<QWidget*>(QStringLiteral("Frame%1").arg(frame));
    return f ? f->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// Puts the values of a values file (tag name -> value, as orvane-make reads it) into the
// frames, by the kind of each item.
void FillFrames(const TProject& project, QWidget* pane, const QJsonObject& values,
                const QString& baseDir) {
    for (int i = 0; i < project.InputItems.GetCount(); ++i) {
        const TInputBase& item = *project.GetInputItem(i);
        const QJsonValue v = values.value(item.GetName());
        if (v.isUndefined())
            continue;
        switch (item.GetInputType()) {
            case TInputBase::KindEdit:
                Control<QLineEdit>(pane, i, "Edit")->setText(v.toString());
                break;
            case TInputBase::KindMemo:
                Control<QPlainTextEdit>(pane, i, "Memo")->setPlainText(v.toString());
                break;
            case TInputBase::KindDateTime:
                Control<QDateTimeEdit>(pane, i, "Picker")
                    ->setDateTime(QDateTime::fromString(v.toString(), Qt::ISODate));
                break;
            case TInputBase::KindComboBox: {
                auto* box = Control<QComboBox>(pane, i, "ComboBox");
                box->setCurrentIndex(box->findText(v.toString()));
                break;
            }
            default: {
                const QString path = QDir(baseDir).absoluteFilePath(
                    v.toObject().value(QStringLiteral("path")).toString());
                Control<QLineEdit>(pane, i, "EditPath")->setText(path);
                Control<QLineEdit>(pane, i, "EditFilename")
                    ->setText(v.toObject()
                                  .value(QStringLiteral("file"))
                                  .toString(QFileInfo(path).fileName()));
            }
        }
    }
}

QJsonObject PictureValues(const QStringList& pictures) {
    QJsonObject values;
    for (int i = 0; i < pictures.size(); ++i) {
        values.insert(QStringLiteral("p%1").arg(i),
                      QJsonObject{{QStringLiteral("path"), pictures[i]},
                                  {QStringLiteral("file"), QStringLiteral("p%1.jpg").arg(i)}});
    }
    return values;
}

// Waits until the view's page has loaded (the load event comes after its pictures); gives how
// many pictures it shows, or -1 after a minute.
int WaitForRenderedPage(QWebEngineView* view) {
    QEventLoop loop;
    QObject::connect(view->page(), &QWebEnginePage::loadFinished, &loop, [&] { loop.quit(); });
    QTimer::singleShot(60000, &loop, [&] { loop.exit(1); });
    if (loop.exec() != 0)
        return -1;
    int shown = -1;
    view->page()->runJavaScript(QStringLiteral("Array.from(document.images).filter("
                                               "i => i.complete && i.naturalWidth > 0).length"),
                                [&](const QVariant& count) {
                                    shown = count.toInt();
                                    loop.quit();
                                });
    return loop.exec() == 0 ? shown : -1;
}

TRun PreviewOnce(TFormMain& window) {
    TRun run;
    QElapsedTimer clock;
    TDialogRunner::SetTestAnswerer([&](QDialog& dialog) {
        run.Generate = clock.nsecsElapsed() / 1e6;
        dialog.show();
        run.Pictures = WaitForRenderedPage(dialog.findChild<QWebEngineView*>("WebBrowser1"));
        run.Total = clock.nsecsElapsed() / 1e6;
        run.Render = run.Total - run.Generate;
        dialog.hide();
        clock.restart();
        return static_cast<int>(QDialog::Rejected);
    });
    clock.start();
    window.findChild<QAction*>(QStringLiteral("ActionInputPreviewHtml"))->trigger();
    run.Close = clock.nsecsElapsed() / 1e6;
    TDialogRunner::SetTestAnswerer({});
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    TApplication::PrepareStart();
    TApplication application(argc, argv);
    QCommandLineParser options;
    options.addOptions({{"project", "project file", "FILE"},
                        {"values", "values file (JSON, as orvane-make reads it)", "FILE"},
                        {"pictures", "comma-separated JPEG files, one image item each", "FILES"},
                        {"page-bytes", "a page of about N bytes of text", "N"},
                        {"runs", "timed runs after the first", "N", "5"}});
    options.process(application);

    QTemporaryDir scratch;
    QString projectPath = options.value("project");
    QJsonObject values;
    QString baseDir;
    if (options.isSet("pictures")) {
        const QStringList pictures = options.value("pictures").split(u',');
        projectPath = WritePictureProject(pictures, scratch.path());
        values = PictureValues(pictures);
    } else if (options.isSet("page-bytes")) {
        projectPath =
            WriteLargePageProject(options.value("page-bytes").toLongLong(), scratch.path());
        values.insert(QStringLiteral("title"), QStringLiteral("大きなページ"));
    } else {
        QFile file(options.value("values"));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "give --project and --values, or --pictures\n");
            return 2;
        }
        values = QJsonDocument::fromJson(file.readAll()).object();
        baseDir = QFileInfo(options.value("values")).absolutePath();
    }

    TFormMain window;
    window.OpenProjectFile(projectPath);
    // Entering the input tab as the user does builds the frames and the template list.
    window.findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->setCurrentIndex(1);
    FillFrames(window.Project(), window.findChild<TFrameInputItemList*>(), values, baseDir);

    const int runs = std::max(1, options.value("runs").toInt());
    std::vector<double> total, generate, render, close;
    std::printf("run   total  generate+window  render  close  pictures (ms)\n");
    for (int i = 0; i <= runs; ++i) {
        const TRun run = PreviewOnce(window);
        if (run.Pictures < 0) {
            std::fprintf(stderr, "the page was not rendered\n");
            return 1;
        }
        std::printf("%-4s %7.1f %16.1f %7.1f %6.1f %9d\n",
                    i == 0 ? "1st" : qPrintable(QString::number(i)), run.Total, run.Generate,
                    run.Render, run.Close, run.Pictures);
        if (i == 0)
            continue;
        total.push_back(run.Total);
        generate.push_back(run.Generate);
        render.push_back(run.Render);
        close.push_back(run.Close);
    }
    std::printf("median %6.1f %16.1f %7.1f %6.1f\n", Median(total), Median(generate),
                Median(render), Median(close));
    return 0;
}
