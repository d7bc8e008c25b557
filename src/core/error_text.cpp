#include "core/error_text.h"

#include "core/display_text.h"

namespace modsetup {

std::string_view trimmedReason(std::string_view reason) {
    while (!reason.empty()) {
        char last = reason.back();
        if (last != ' ' && last != '\t' && last != '\r' && last != '\n' && last != '.') break;
        reason.remove_suffix(1);
    }
    return reason;
}

std::string reportText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

std::string cannotOpenFileMessage(std::string_view path, std::string_view reason) {
    std::string message = "Cannot open file " + quoted(path) + ". ";
    message += trimmedReason(reason);
    return message;
}

std::string launchScriptNotWrittenMessage(std::string_view script) {
    return "The launch script " + quoted(script) +
           " could not be written in the working directory, so the game was not started.";
}

std::string launchScriptNotOpenedMessage(std::string_view script, std::string_view reason) {
    std::string message =
        "The system did not open the launch script " + quoted(script) + ", so the game was not started.";
    reason = trimmedReason(reason);
    if (!reason.empty()) (message += ' ') += reason;
    return message;
}

std::string backslashFolderMessage(std::string_view folder) {
    return "The program cannot work from the folder " + quoted(folder) +
           ": its path holds a backslash, which the program takes for a separator between folders. "
           "Nothing in it can be read or written. Move the game to a folder whose path holds no backslash.";
}

std::string openerNotStartedReason(std::string_view opener, std::string_view systemReason) {
    std::string reason = "Cannot start ";
    ((reason += opener) += ": ") += trimmedReason(systemReason);
    return reason;
}

std::string openerFailedReason(std::string_view opener, int exitStatus) {
    std::string reason(opener);
    (reason += " ended with status ") += std::to_string(exitStatus);
    return reason;
}

std::string openerKilledReason(std::string_view opener, int signal) {
    std::string reason(opener);
    (reason += " was ended by signal ") += std::to_string(signal);
    return reason;
}

}  // namespace modsetup
