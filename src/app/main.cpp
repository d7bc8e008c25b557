// modsetup: the single-window configurator of a game's mod folder. It runs with
// the game's folder as its working directory and finds its set library and its
// selections file beside its own program file.
#include <QApplication>

#include "core/audio/audio.h"
#include "core/io/host.h"
#include "qt/error_report.h"
#include "qt/main_window.h"

int main() {
    // The program reads no command line: the toolkit gets the program's name
    // only, so no option given at start-up changes the window.
    static char programName[] = "modsetup";
    static char* arguments[] = {programName, nullptr};
    static int argumentCount = 1;
    QApplication application(argumentCount, arguments);
    const auto host = modsetup::makeSystemHost();
    const auto audio = modsetup::makeSystemAudio();                              // opens no device yet
    modsetup::qt::MainWindow window(*host, *audio, modsetup::qt::showErrorBox);  // runs the load sequence
    window.show();
    return QApplication::exec();
}
