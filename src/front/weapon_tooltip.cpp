#include "front/weapon_tooltip.h"

#include <cstdint>

#include "core/base/decimal_number.h"
#include "core/base/escaping.h"
#include "front/messages.h"

namespace modsetup::front {
namespace {

// a at b's places when b has more, without overflow.
bool widen(Decimal& a, int places) {
    for (; a.places < places; ++a.places)
        if (__builtin_mul_overflow(a.units, 10, &a.units)) return false;
    return true;
}

std::string withPoint(std::uint64_t units, int places) {
    std::string digits = std::to_string(units);
    if (places == 0) return digits;
    const auto fraction = static_cast<std::size_t>(places);
    if (digits.size() <= fraction) digits = std::string(fraction + 1 - digits.size(), '0') + digits;
    const std::size_t point = digits.size() - fraction;
    return digits.substr(0, point).append(".").append(digits.substr(point));
}

std::string statLine(std::string_view key, const std::string& value, const std::string* installed) {
    std::string line(key.substr(0, key.size() - 1));  // the key without its "="
    if (!value.empty()) line.append(" ").append(visibleText(value));
    if (installed == nullptr) return line;
    line.append(" (").append(kInstalled);
    if (!installed->empty()) line.append(" ").append(visibleText(*installed));
    const std::string difference = statsDifference(value, *installed);
    if (!difference.empty()) line.append(", ").append(difference);
    return line.append(")");
}

}  // namespace

std::string statsDifference(std::string_view value, std::string_view installed) {
    std::optional<Decimal> a = decimalValue(value);
    std::optional<Decimal> b = decimalValue(installed);
    if (!a || !b || !widen(*a, b->places) || !widen(*b, a->places)) return "";
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(a->units, b->units, &difference)) return "";
    if (difference == 0) return std::string(kSameValue);
    const std::uint64_t size =
        difference < 0 ? 0 - static_cast<std::uint64_t>(difference) : static_cast<std::uint64_t>(difference);
    std::string text(difference < 0 ? "-" : "+");
    return text.append(withPoint(size, a->places));
}

std::string weaponTooltipText(const WeaponTooltipFacts& facts, std::string_view shotKey, std::string_view keyHint) {
    std::string text = visibleText(facts.name);
    if (!facts.installed) text.append("\n").append(kNotInstalledYet);
    for (std::size_t i = 0; i < kStatsValueCount; ++i)
        text.append("\n").append(
            statLine(kSetStatsKeys[i], facts.values[i], facts.installed ? &(*facts.installed)[i] : nullptr));
    text.append("\n").append(facts.hasShot ? hearShotText(shotKey) : std::string(kNoSound));
    return text.append("\n").append(keyHint);
}

}  // namespace modsetup::front
