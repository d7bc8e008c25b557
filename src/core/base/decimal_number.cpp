#include "core/base/decimal_number.h"

namespace modsetup {
namespace {

constexpr std::size_t kMaxDigits = 18;

// Walks the number's characters, handing each digit to digit; false when
// text is not a number.
template <typename Digit>
bool walkNumber(std::string_view text, Digit digit) {
    if (text.starts_with('-')) text.remove_prefix(1);
    bool point = false;
    bool digits = false;
    for (char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (!digit(c - '0', point)) return false;
        } else {
            return false;
        }
    }
    return digits;
}

}  // namespace

bool isDecimalNumber(std::string_view text) {
    return walkNumber(text, [](int, bool) { return true; });
}

std::optional<Decimal> decimalValue(std::string_view text) {
    Decimal number;
    std::size_t digits = 0;
    const bool parsed = walkNumber(text, [&](int digit, bool afterPoint) {
        if (++digits > kMaxDigits) return false;
        number.units = number.units * 10 + digit;
        number.places += afterPoint ? 1 : 0;
        return true;
    });
    if (!parsed) return std::nullopt;
    if (text.starts_with('-')) number.units = -number.units;
    return number;
}

}  // namespace modsetup
