#pragma once
// Input tab tests through the main window: the example project opened, the input tab entered
// as a user does, the frames filled like examples/values.json, the temporary folder redirected
// to a scratch folder so that what a preview leaves behind can be counted, and waits for the
// web view that never hang.

#include <QStringList>
#include <QVariant>
#include <QWidget>

#include "TMainWindowFixture.h"

class QWebEngineView;
class TFrameInputItemList;

namespace testsupport {

class TInputPaneFixture : public TMainWindowFixture {
protected:
    static QString ExampleProject();
    static QString ExamplePicture(const QString& name);

    // Starts the window with the project of that file open.
    void OpenProject(const QString& path);
    // Switches to "入力(&0)" as the user does, which rebuilds the pane.
    void EnterInputTab();
    void LeaveInputTab();
    TFrameInputItemList& Pane();
    // The pane's frame "Frame" + index, and the control of that object name inside it.
    QWidget* Frame(int index);
    template <typename T>
    T* Control(int frame, const char* name) {
        QWidget* f = Frame(frame);
        T* control = f ? f->findChild<T*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(control, nullptr) << "no " << name << " in frame " << frame;
        return control;
    }
    void SelectTemplate(int index);
    // The values of examples/values.json, put into the example project's seven frames.
    void FillExampleValues();

    // What the redirected temporary folder holds now.
    QStringList TempEntries() const;

    TScratchDir TempRoot;
    TScopedEnv TempEnv{"TMPDIR", TempRoot.Path()};
};

// Waits (bounded) until the view shows a completely loaded document, then gives the value of
// the script; an invalid value when the page did not come.
QVariant PageValue(QWebEngineView* view, const QString& script);

}  // namespace testsupport
