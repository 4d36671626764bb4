#pragma once
// Drives the remote folder browser in a widget test by the names of its controls, as a person
// would: waits for its connection, reads the list, the history and the log, double-clicks
// rows, clicks headers and buttons, chooses from the history.

#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <functional>

#include <gtest/gtest.h>

#include "TDialogScript.h"

namespace testsupport {

class TFtpDirDriver {
public:
    explicit TFtpDirDriver(QDialog& browser) : FBrowser(browser) {}

    // Waits until the browser's first idle moment has connected and listed, or a box has
    // been shown (everything the queue does happens within that moment).
    ::testing::AssertionResult WaitConnected(const TDialogScript& script);

    template <typename T>
    T* Find(const char* name) {
        T* widget = FBrowser.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QTreeWidget* List() { return Find<QTreeWidget>("ListView1"); }
    QComboBox* History() { return Find<QComboBox>("ComboBoxDir"); }
    QPlainTextEdit* Log() { return Find<QPlainTextEdit>("MemoLog"); }

    // The texts of one column, row by row; the names are column 0.
    QStringList Column(int column);
    QStringList Names() { return Column(0); }
    QStringList HistoryItems();

    void ClickHeader(int column);
    void DoubleClick(const QString& name);
    // The user's choice in the drop-down list.
    void ChooseHistory(int index);
    void Click(const char* button);
    // Double-clicks down a path from the folder listed (vsftpd starts above the home folder).
    void EnterFolders(const QString& path);

private:
    QDialog& FBrowser;
};

// What a browser opened by a command showed, once its queue had run.
struct TBrowserSeen {
    int Shown = 0;
    QString Path;  // the folder listed
    QString Log;
    bool DirButtonsVisible = true;
};

// A dialog answer (TDialogScript::AnswerDialog) for a browser a command opens: lets it connect
// and run its queue, does `work` in it, notes what it shows in `seen` and closes it.
std::function<void(QDialog&)> WorkBrowser(const TDialogScript& script, TBrowserSeen& seen,
                                          std::function<void(TFtpDirDriver&)> work = {});

}  // namespace testsupport
