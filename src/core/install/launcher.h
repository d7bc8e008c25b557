#pragma once
// Play: the two-line launch script ModName + ".bat" in the working directory,
// handed to the system shell to open.

#include <optional>
#include <string>
#include <string_view>

#include "core/io/host.h"
#include "core/io/line_file.h"

namespace modsetup {

std::string launchScriptName(std::string_view modName);  // ModName + ".bat"

struct PlayOutcome {
    bool launched = false;                // the script was written and the shell took it
    bool scriptWritten = false;           // the script file holds the two lines written now
    std::string unusableFolder;           // the program's folder cannot be used: nothing was written
    bool modNameUnsafe = false;           // nothing was written
    std::optional<Failure> writeFailure;  // why the script could not be written
    std::optional<Failure> openFailure;   // why the shell did not open it
};

// Writes the script, "tarvok.exe -mod <ModName>" CR LF "exit" CR LF (the
// name in double quotes when it holds a blank, so that the game gets it as
// one argument), and, once it is written whole, has the shell open it. Nothing is written or opened with an unsafe
// ModName or an unusable program folder; nothing is opened when the script could not be written (whatever stands at its
// name is not the game's start). The outcome says why whenever launched is false. The shell is asked with the main
// window as owner.
PlayOutcome runPlay(Host& host, const std::string& configBase, const std::string& modName, WindowHandle owner = 0);

}  // namespace modsetup
