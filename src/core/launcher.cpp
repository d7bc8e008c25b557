#include "core/launcher.h"

#include <array>

#include "core/config.h"
#include "core/error_text.h"
#include "core/mod_name.h"

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

std::string launchScriptText(std::string_view modName) {
    std::string text;
    for (const auto& line : launchScriptLines(modName)) text += line + "\r\n";
    return text;
}

PlayOutcome runPlay(Host& host, LineFile& shared, const std::string& configBase, const std::string& modName,
                    WindowHandle owner) {
    PlayOutcome outcome;
    if (const std::string folder = folderWithBackslash(configBase); !folder.empty()) {
        outcome.error = backslashFolderMessage(folder);
        return outcome;
    }
    if (!isSafeModName(modName)) {
        outcome.error = unsafeModNameMessage(configBase, modName);
        return outcome;
    }
    const std::string script = launchScriptName(modName);
    const bool opened = shared.openWrite(script);
    for (const auto& line : launchScriptLines(modName)) shared.writeLine(line);
    outcome.scriptWritten = shared.close() && opened;
    if (!outcome.scriptWritten) {
        outcome.error = launchScriptNotWrittenMessage(script);
        if (shared.writeFailure() == FileFailure::AccessDenied) outcome.error = writeDeniedMessage(outcome.error);
        return outcome;
    }
    std::string reason;
    if (!host.shellOpen(script, owner, reason)) {
        outcome.error = launchScriptNotOpenedMessage(script, reason);
        return outcome;
    }
    outcome.launched = true;
    return outcome;
}

}  // namespace modsetup
