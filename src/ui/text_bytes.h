#pragma once
// The core handles names as 8-bit byte strings, as the set library and the
// configuration files hold them. The window shows valid UTF-8 as UTF-8 and
// any other bytes as Latin-1, so every byte string has a readable form.

#include <QString>

#include <string>
#include <string_view>

namespace modsetup::ui {

QString shownText(std::string_view bytes);

// The bytes of a text the user typed: its UTF-8.
std::string typedBytes(const QString& text);

}  // namespace modsetup::ui
