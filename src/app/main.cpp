// modsetup: the single-window configurator of a game's mod folder. It runs with
// the game's folder as its working directory and finds its set library and its
// selections file beside its own program file.
#include <QApplication>

#include "core/platform/host.h"
#include "ui/error_report.h"
#include "ui/form1.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);  // takes only the window system's own options
    const auto host = modsetup::makeSystemHost();
    modsetup::ui::TForm1 form1(*host, modsetup::ui::showErrorBox);  // runs the load sequence
    form1.show();
    return application.exec();
}
