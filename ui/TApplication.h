#pragma once
// The program's application object: its title, the set-up the embedded web view needs before
// the application exists, and the standard error display that every error no command catches
// reaches, after which the program goes on.

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTranslator>

class TApplication : public QApplication {
    Q_OBJECT

public:
    static QString Title() { return QStringLiteral("Quillory Orvane"); }

    // Call before the application object exists (the program and the widget tests both do).
    static void PrepareStart();

    TApplication(int& argc, char** argv);

    // Delivers every event; an error escaping a command goes to the error display instead of
    // ending the program.
    bool notify(QObject* receiver, QEvent* event) override;

    // The standard error display for the exception being handled: a TError shows its message,
    // another std::exception its what(), anything else an empty message.
    static void ShowCurrentException();
    static void ShowError(const QString& message);
    // The message as the error display shows it: "." is added when the last character's code
    // is above that of ".".
    static QString ErrorDisplayText(const QString& message);

    // The project file named on the command line as an absolute path, or "".
    static QString StartupProjectPath(const QStringList& arguments);

private:
    // Qt's own texts (file dialogs, standard buttons) in Japanese, like the program's.
    QTranslator FQtTranslator;
};
