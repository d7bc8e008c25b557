#pragma once
// The core handles names as 8-bit byte strings, as the set library and the
// configuration files hold them. On Windows these are text of the system's
// 8-bit code page, which the window uses both ways. Elsewhere the window shows
// valid UTF-8 as UTF-8 and any other bytes as Latin-1, so every byte string has
// a readable form, and typed text becomes UTF-8, as the file system names it.

#include <QString>

#include <string>
#include <string_view>

namespace modsetup::ui {

QString shownText(std::string_view bytes);

// The bytes of a text the user typed.
std::string typedBytes(const QString& text);

}  // namespace modsetup::ui
