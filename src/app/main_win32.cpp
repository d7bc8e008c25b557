// modsetup for Windows: the single-window configurator of a game's mod folder.
// It runs with the game's folder as its working directory and finds its set
// library and its selections file beside its own program file.
#include "win32/win32_api.h"

#include <commctrl.h>

#include "core/audio/audio.h"
#include "core/io/host.h"
#include "win32/error_report.h"
#include "win32/main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const auto host = modsetup::makeSystemHost();
    const auto audio = modsetup::makeSystemAudio();                                    // opens no device yet
    modsetup::win32::MainWindow window(*host, *audio, modsetup::win32::showErrorBox);  // runs the load sequence
    if (window.handle() == nullptr) return 1;                                          // the system refused the window
    window.show();

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The window's keys first (the presenter decides them); then Tab and
        // Shift+Tab move between the controls, as in a dialog.
        if (window.forwardKey(message)) continue;
        if (window.handle() != nullptr && IsDialogMessageA(window.handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
