#include "front/messages.h"

namespace modsetup::front {

std::string tooltipKeyHintText(std::string_view tooltipKey) {
    return "Press " + std::string(tooltipKey) + " in the list to show this";
}

std::string menuHintText(std::string_view menuKey) {
    return "Right-click here, or press " + std::string(menuKey) +
           " or the menu key, to restore the files from before an Apply or to save or load choices";
}

std::string hearShotText(std::string_view shotKey) {
    return "Click a picture or press " + std::string(shotKey) + " in the list to hear its shot";
}

}  // namespace modsetup::front
