#include "TApplication.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <exception>

#include <unistd.h>

#include "TError.h"
#include "TMessageBox.h"
#include "TPreviewStart.h"

namespace {

QString CurrentExceptionMessage() {
    try {
        throw;
    } catch (const TError& error) {
        return error.Message();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QString();
    }
}

}  // namespace

void TApplication::PrepareStart() {
    // The web view shares its OpenGL context with the windows; Qt wants this set first.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Chromium's sandbox refuses to run as root; any other user keeps it.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    TPreviewStart::Prepare();
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The icons and help pages live in the widgets library, a static library: the linker
    // keeps them only when something names them.
    Q_INIT_RESOURCE(orvane);
    // The title goes into the application name rather than the display name: a display name
    // would be appended to every window title by the X11 window code.
    setApplicationName(Title());
    setDesktopFileName(QStringLiteral("orvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/orvane.svg")));
    if (FQtTranslator.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                           QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(&FQtTranslator);
    }
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

void TApplication::ShowCurrentException() {
    ShowError(CurrentExceptionMessage());
}

void TApplication::ShowError(const QString& message) {
    QWidget* owner = activeModalWidget() ? activeModalWidget() : activeWindow();
    TMessageBox::Error(owner, ErrorDisplayText(message));
}

QString TApplication::ErrorDisplayText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString TApplication::StartupProjectPath(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("開くプロジェクトファイル (.PT)"));
    // Options the program does not know are ignored; the first file named counts.
    parser.parse(arguments);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : QFileInfo(files.constFirst()).absoluteFilePath();
}
