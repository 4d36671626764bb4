// The widget tests' entry: one QApplication for the whole program, then GoogleTest.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>

#include "TPreviewStart.h"

int main(int argc, char** argv) {
    // Test discovery runs this program outside CTest's environment: never open a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TPreviewStart::Prepare();
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quillory Orvane"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
