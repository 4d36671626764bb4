#include "TCursorHourGlass.h"

#include <QCursor>
#include <QGuiApplication>

// The application keeps a stack of override cursors, so each instance restores exactly the
// cursor that was in force when it was made.
TCursorHourGlass::TCursorHourGlass() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

TCursorHourGlass::~TCursorHourGlass() {
    QGuiApplication::restoreOverrideCursor();
}
