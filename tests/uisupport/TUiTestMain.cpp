// The widget tests' entry: the program's own application object (with its error display), set
// up as the program sets it up, then GoogleTest.

#include <gtest/gtest.h>

#include "TApplication.h"

int main(int argc, char** argv) {
    // Test discovery runs this program outside CTest's environment: never open a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication::PrepareStart();
    TApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
