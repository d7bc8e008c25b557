#pragma once
// A small, complete game folder for the check's tests: the program file
// modsetup.exe, its set library modsetup/ and the selections file
// modsetup.ini. What a set holds is written from the Apply tests' own lists,
// apart from the program's tables; every picture is a valid bitmap.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace modsetup::testing {

// The sets of every slot folder; the selections file chooses the first one.
// The second soldier set keeps its soldier folder as "GOSTEK-gfx", as a set
// made on Windows may.
inline const std::vector<std::string> kCheckSets{"Gold", "Night"};

void writeCheckLibrary(const std::filesystem::path& gameFolder);

// The selections file's seventeen lines, CR LF each: the given set names in
// slot order and "1".
std::string checkSelections(const std::vector<std::string>& texts);

// The files a weapon set of the slot holds (relative, with '/'), each once.
std::vector<std::string> checkWeaponFiles(std::size_t slot);

}  // namespace modsetup::testing
