#include "front/weapon_tooltip.h"

#include <cstdint>

#include "core/display_text.h"

namespace modsetup::front {
namespace {

// A decimal number as a whole number of units of 10^-places.
struct Decimal {
    std::int64_t units = 0;
    int places = 0;
};

// Longer numbers are not statistics anyone compares by eye; they get no difference.
constexpr std::size_t kMaxDigits = 18;

std::optional<Decimal> parseDecimal(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    Decimal number;
    bool point = false;
    std::size_t digits = 0;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && digits < kMaxDigits) {
            number.units = number.units * 10 + (c - '0');
            number.places += point ? 1 : 0;
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    if (negative) number.units = -number.units;
    return number;
}

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
    line += " (installed";
    if (!installed->empty()) line.append(" ").append(visibleText(*installed));
    const std::string difference = statsDifference(value, *installed);
    if (!difference.empty()) line.append(", ").append(difference);
    return line.append(")");
}

}  // namespace

std::string statsDifference(std::string_view value, std::string_view installed) {
    std::optional<Decimal> a = parseDecimal(value);
    std::optional<Decimal> b = parseDecimal(installed);
    if (!a || !b || !widen(*a, b->places) || !widen(*b, a->places)) return "";
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(a->units, b->units, &difference)) return "";
    if (difference == 0) return "same";
    const std::uint64_t size =
        difference < 0 ? 0 - static_cast<std::uint64_t>(difference) : static_cast<std::uint64_t>(difference);
    std::string text(difference < 0 ? "-" : "+");
    return text.append(withPoint(size, a->places));
}

std::string weaponTooltipText(const WeaponTooltipFacts& facts, std::string_view shotKey, std::string_view keyHint) {
    std::string text = visibleText(facts.name);
    if (!facts.installed) text += "\nnot installed yet";
    for (std::size_t i = 0; i < kStatsValueCount; ++i)
        text.append("\n").append(
            statLine(kSetStatsKeys[i], facts.values[i], facts.installed ? &(*facts.installed)[i] : nullptr));
    if (facts.hasShot)
        text.append("\nClick a picture or press ").append(shotKey).append(" in the list to hear its shot");
    else text.append("\nno sound in this set");
    return text.append("\n").append(keyHint);
}

}  // namespace modsetup::front
