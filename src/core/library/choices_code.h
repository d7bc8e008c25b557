#pragma once
// Choices as one line of plain ASCII that survives a chat or a forum post:
// the exact bytes of a choices file (set names are 8-bit code-page bytes,
// which shown text may not keep), with a version and a checksum, so that a
// line changed on its way is told from an intact one.
//
//   modsetup-choices-1 <base64 of the bytes> <CRC-32 of the bytes, 8 hex digits>

#include <optional>
#include <string>
#include <string_view>

namespace modsetup {

inline constexpr std::string_view kChoicesCodePrefix = "modsetup-choices-1 ";

std::string choicesCode(std::string_view bytes);

// The bytes a code line carries; none when line is no intact code of this
// version (spaces around it aside).
std::optional<std::string> decodeChoicesCode(std::string_view line);

}  // namespace modsetup
