#pragma once
// What a weapon statistic is as a number: an optional minus sign, digits, and
// at most one decimal point among or after them ("-12", "0.25", "5."). A plus
// sign, blanks or an exponent make it text. The check warns about a value
// that is not a number, and the tooltip compares only numbers.

#include <cstdint>
#include <optional>
#include <string_view>

namespace modsetup {

// A decimal number as a whole number of units of 10^-places.
struct Decimal {
    std::int64_t units = 0;
    int places = 0;
};

bool isDecimalNumber(std::string_view text);

// The number's value; none when text is not a number, or has more digits
// than a value anyone compares by eye (18).
std::optional<Decimal> decimalValue(std::string_view text);

}  // namespace modsetup
