// The program's entry: the application with its title and error display, then the main window
// until it closes. A project file named on the command line is opened at start.

#include "TApplication.h"
#include "UnitFormMain.h"

int main(int argc, char** argv) {
    TApplication::PrepareStart();
    TApplication application(argc, argv);
    try {
        TFormMain window;
        window.SetStartupProject(TApplication::StartupProjectPath(application.arguments()));
        window.show();
        application.exec();
    } catch (...) {
        TApplication::ShowCurrentException();
    }
    return 0;
}
