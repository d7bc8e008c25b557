#include "core/error_text.h"

namespace modsetup {

std::string reportText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

std::string cannotOpenFileMessage(std::string_view path, std::string_view reason) {
    while (!reason.empty()) {
        char last = reason.back();
        if (last != ' ' && last != '\t' && last != '\r' && last != '\n' && last != '.') break;
        reason.remove_suffix(1);
    }
    std::string message = "Cannot open file \"";
    message += path;
    message += "\". ";
    message += reason;
    return message;
}

}  // namespace modsetup
