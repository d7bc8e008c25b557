// modsetup: the single-window configurator of a game's mod folder. It runs with
// the game's folder as its working directory and finds its set library and its
// selections file beside its own program file.
#include <QApplication>

#include "core/platform/host.h"
#include "ui/error_report.h"
#include "ui/form1_window.h"

int main() {
    // The program reads no command line: the toolkit gets the program's name
    // only, so no option given at start-up changes the window.
    static char programName[] = "modsetup";
    static char* arguments[] = {programName, nullptr};
    static int argumentCount = 1;
    QApplication application(argumentCount, arguments);
    const auto host = modsetup::makeSystemHost();
    modsetup::ui::Form1Window form1(*host, modsetup::ui::showErrorBox);  // runs the load sequence
    form1.show();
    return application.exec();
}
