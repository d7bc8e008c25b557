#pragma once
// What screen readers and other assistive technology are told of the
// window's controls, in the words of the visible captions (the catalogue's
// kListNames and kShotPictureName), the tooltip's keyboard hint, and what is
// announced when a list changes under the focus. Both windows take every such
// text from here; the rest of each control's name is its caption in the
// layout table.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/game/slots.h"
#include "front/layout.h"
#include "front/shown_text.h"

namespace modsetup::front {

// How a control appears to assistive technology.
enum class AccessibleKind {
    Control,     // as its toolkit presents it, named by its caption
    SlotList,    // named by its slot; its description is its tooltip, worked out when asked for
    ShotButton,  // a picture that plays its slot's shot: a button named by its slot
    Hidden,      // a picture that does nothing: not presented at all
    Announced,   // the confirmation: announced when it appears
};

AccessibleKind accessibleKind(const ControlLayout& row);

// The control's accessible name: a caption without its access-key marker,
// a list's slot name, a shot picture's; empty for a hidden picture.
std::string accessibleName(const ControlLayout& row);

// A caption as shown while the access keys are not: without its '&'.
std::string captionWithoutAccessKey(std::string_view caption);

// A caption's access key: the letter after '&', in lower case; 0 for none.
constexpr char accessKey(std::string_view caption) {
    const std::size_t marker = caption.find('&');
    if (marker == std::string_view::npos || marker + 1 >= caption.size()) return 0;
    const char key = caption[marker + 1];
    return key >= 'A' && key <= 'Z' ? static_cast<char>(key - 'A' + 'a') : key;
}

// How assistive technology names a control's access key: "Alt+A"; empty for none.
std::string accessKeyName(std::string_view caption);

// The tooltip's keyboard hint with the key named.
std::string tooltipKeyHint();

// What a screen reader says when a list picks another set while it keeps the
// focus (the arrow keys, the wheel): the set once, then its statistics (the
// list's description, its tooltip; empty for a team slot). Nothing of the
// edit field's text being replaced or selected is told.
struct ListAnnouncement {
    ShownText set;
    ShownText statistics;
    bool operator==(const ListAnnouncement&) const = default;
};

namespace detail {
constexpr bool accessKeysAreUnique() {
    for (std::size_t i = 0; i < kLayout.size(); ++i)
        for (std::size_t j = i + 1; j < kLayout.size(); ++j)
            if (accessKey(kLayout[i].caption) != 0 && accessKey(kLayout[i].caption) == accessKey(kLayout[j].caption))
                return false;
    return true;
}
}  // namespace detail

// One access key chooses one control.
static_assert(detail::accessKeysAreUnique());

}  // namespace modsetup::front
