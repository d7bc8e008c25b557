#include "front/accessibility.h"

#include "core/library/previews.h"
#include "front/keys.h"
#include "front/messages.h"

namespace modsetup::front {

AccessibleKind accessibleKind(const ControlLayout& row) {
    switch (row.kind) {
    case ControlKind::List: return AccessibleKind::SlotList;
    case ControlKind::Picture:
        return previewSlot(row.number) < kWeaponSlotCount ? AccessibleKind::ShotButton : AccessibleKind::Hidden;
    case ControlKind::Label:
        return row.number == kConfirmationLabel ? AccessibleKind::Announced : AccessibleKind::Control;
    case ControlKind::GroupBox:
    case ControlKind::Button:
    case ControlKind::CheckBox: break;
    }
    return AccessibleKind::Control;
}

std::string accessibleName(const ControlLayout& row) {
    switch (accessibleKind(row)) {
    case AccessibleKind::SlotList: return std::string(kListNames[row.slot]);
    case AccessibleKind::ShotButton: return std::string(kShotPictureName).append(kListNames[previewSlot(row.number)]);
    case AccessibleKind::Hidden: return "";
    case AccessibleKind::Control:
    case AccessibleKind::Announced: break;
    }
    return captionWithoutAccessKey(row.caption);
}

std::string captionWithoutAccessKey(std::string_view caption) {
    std::string shown(caption);
    if (const std::size_t marker = shown.find('&'); marker != std::string::npos) shown.erase(marker, 1);
    return shown;
}

std::string accessKeyName(std::string_view caption) {
    const char key = accessKey(caption);
    if (key == 0) return "";
    return std::string(kAccessKeyPrefix).append(1, key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key);
}

std::string tooltipKeyHint() { return tooltipKeyHintText(kTooltipKeyName); }

}  // namespace modsetup::front
