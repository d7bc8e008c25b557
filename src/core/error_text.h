#pragma once
// The texts of the standard error report. Every message the user sees is
// formed here, so the window only shows what these functions return.

#include <string>
#include <string_view>

namespace modsetup {

inline constexpr std::string_view kBitmapNotValid = "Bitmap image is not valid";

// The message as the report shows it: a full stop is appended when its last
// character sorts after "." (letters, digits, quotes from '/' on).
std::string reportText(std::string_view message);

// "Cannot open file "<path>". <reason>", the reason with its trailing blanks,
// line breaks and full stops removed, so that the report ends in exactly one
// full stop.
std::string cannotOpenFileMessage(std::string_view path, std::string_view reason);

}  // namespace modsetup
