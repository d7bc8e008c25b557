#include "front/accessibility.h"

#include "core/previews.h"
#include "front/keys.h"

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
    case AccessibleKind::SlotList: return std::string(kWindowTexts.listNames[row.slot]);
    case AccessibleKind::ShotButton:
        return std::string(kWindowTexts.shotPicture).append(kWindowTexts.listNames[previewSlot(row.number)]);
    case AccessibleKind::Hidden: return "";
    case AccessibleKind::Control:
    case AccessibleKind::Announced: break;
    }
    std::string name(row.caption);
    if (const std::size_t marker = name.find('&'); marker != std::string::npos) name.erase(marker, 1);
    return name;
}

std::string tooltipKeyHint() {
    std::string hint(kWindowTexts.tooltipKeyHint);
    return hint.replace(hint.find("{}"), 2, kTooltipKeyName);
}

}  // namespace modsetup::front
