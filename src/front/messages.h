#pragma once
// The window's own words: the names screen readers hear, the menu and the
// file dialogs its commands open, the tooltips' words. The reports of
// loading, Apply, Play and a restore are core's (core/report/messages.h).
// Each window shows only what these give.

#include <array>
#include <string>
#include <string_view>

namespace modsetup::front {

// What screen readers are told of the window: each slot list's name, in the
// words of the captions beside it (the heading and the number), and a
// picture that plays its slot's shot, whose name goes on with its list's.
inline constexpr std::array<std::string_view, 16> kListNames{
    "Primary weapon 1",   "Primary weapon 2",   "Primary weapon 3",   "Primary weapon 4",
    "Primary weapon 5",   "Primary weapon 6",   "Primary weapon 7",   "Primary weapon 8",
    "Primary weapon 9",   "Primary weapon 10",  "Secondary weapon 1", "Secondary weapon 2",
    "Secondary weapon 3", "Secondary weapon 4", "Team Alpha",         "Team Bravo"};
inline constexpr std::string_view kShotPictureName = "Play the shot: ";
// What pressing a button is called, and how an access key is named ("Alt+A").
inline constexpr std::string_view kPressAction = "Press";
inline constexpr std::string_view kAccessKeyPrefix = "Alt+";
// The last line of a weapon tooltip: how to show it from the keyboard.
std::string tooltipKeyHintText(std::string_view tooltipKey);

// The window's menu (its name, as screen readers say it when it opens), the
// titles and file kinds of the file dialogs its commands open, and the
// tooltip of the window's background that tells of the menu.
inline constexpr std::string_view kMenuName = "Menu";
inline constexpr std::string_view kRestoreLastCommand = "Restore the files from before the last Apply";
inline constexpr std::string_view kRestoreOriginalCommand = "Restore the mod's original files";
inline constexpr std::string_view kSaveChoicesCommand = "Save choices as\u2026";
inline constexpr std::string_view kLoadChoicesCommand = "Load choices\u2026";
inline constexpr std::string_view kSaveChoicesTitle = "Save choices as";
inline constexpr std::string_view kLoadChoicesTitle = "Load choices";
inline constexpr std::string_view kChoicesFileKind = "Choices";
inline constexpr std::string_view kAllFilesKind = "All files";
std::string menuHintText(std::string_view menuKey);

// The tooltip of a weapon slot: the words around the set's statistics, and
// how to hear its shot (shotKey names the key that plays it).
inline constexpr std::string_view kNotInstalledYet = "not installed yet";
inline constexpr std::string_view kInstalled = "installed";
inline constexpr std::string_view kSameValue = "same";
inline constexpr std::string_view kNoSound = "no sound in this set";
std::string hearShotText(std::string_view shotKey);

}  // namespace modsetup::front
