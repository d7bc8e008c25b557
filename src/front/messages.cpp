#include "front/messages.h"

namespace modsetup::front {

std::string tooltipKeyHintText(std::string_view tooltipKey) {
    return "Press " + std::string(tooltipKey) + " in the list to show this";
}

std::string menuHintText(std::string_view menuKey) {
    return "Right-click here, or press " + std::string(menuKey) +
           " or the menu key, to see what Apply will change, to restore the files from before an Apply, or to "
           "save, load, copy or paste choices";
}

std::string hearShotText(std::string_view shotKey) {
    return "Click a picture or press " + std::string(shotKey) + " in the list to hear its shot";
}

std::string planTotalsText(std::size_t added, std::size_t replaced, std::size_t removed, std::size_t unchanged) {
    return "Apply will add " + std::to_string(added) + ", replace " + std::to_string(replaced) + " and remove " +
           std::to_string(removed) + " files; " + std::to_string(unchanged) + " stay as they are.";
}

std::string planMissingSetText(std::string_view set) {
    return "\"" + std::string(set) + "\" is not in the set library: nothing is installed from it.";
}

std::string planNothingText(bool programFolderUnusable) {
    return programFolderUnusable ? "Apply would install and save nothing: the program's folder cannot be used."
                                 : "Apply would write nothing below \"mods\": the mod name cannot be used.";
}

std::string clipboardNotChoicesMessage(std::string_view refusal) {
    return "The clipboard does not hold choices: " + std::string(refusal) + ". The window stays as it was.";
}

}  // namespace modsetup::front
