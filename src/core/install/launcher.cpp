#include "core/install/launcher.h"

#include <array>

#include "core/base/mod_name.h"
#include "core/library/config.h"

namespace modsetup {
namespace {

std::array<std::string, 2> launchScriptLines(std::string_view modName) {
    std::string command = "tarvok.exe -mod ";
    // A name with a blank is quoted so that the game gets it as one argument;
    // a safe name holds no double quote that could end the quoting early.
    if (modName.find(' ') != std::string_view::npos) ((command += '"') += modName) += '"';
    else command += modName;
    return {command, "exit"};
}

}  // namespace

std::string launchScriptName(std::string_view modName) { return std::string(modName) + ".bat"; }

PlayOutcome runPlay(Host& host, const std::string& configBase, const std::string& modName, WindowHandle owner) {
    PlayOutcome outcome;
    outcome.unusableFolder = folderWithBackslash(configBase);
    if (!outcome.unusableFolder.empty()) return outcome;
    outcome.modNameUnsafe = !isSafeModName(modName);
    if (outcome.modNameUnsafe) return outcome;
    const std::string script = launchScriptName(modName);
    LineFile handle(host);
    handle.openWrite(script);
    for (const auto& line : launchScriptLines(modName)) handle.writeLine(line);
    const Status written = handle.close();
    outcome.scriptWritten = written.ok();
    if (!written.ok()) {
        outcome.writeFailure = written.failure();
        return outcome;
    }
    const Status opened = host.shellOpen(script, owner);
    if (!opened.ok()) {
        outcome.openFailure = opened.failure();
        return outcome;
    }
    outcome.launched = true;
    return outcome;
}

}  // namespace modsetup
