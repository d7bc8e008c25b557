#pragma once
// A game folder with a set library, built on disk for the Apply tests.
//
// What a set holds is written out here from the installation tables, apart
// from the program's own tables, so that a wrong or missing row shows up as a
// wrong or missing file. Every file of every set gets bytes of its own
// (slot folder, set name and place), so each installed copy can be traced back.

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/install/apply.h"
#include "core/io/host.h"
#include "core/library/config.h"
#include "test_support.h"

namespace modsetup::testing {

// One file of a set and where Apply puts it, both relative with '/'.
struct SetFile {
    std::string source;  // below the set folder
    std::string target;  // below the game mod folder
};

// The sixteen slots' folders in slot order, "gostek" twice.
extern const std::vector<std::string> kTestSlotFolders;

std::vector<SetFile> weaponSetFiles(std::size_t slot);  // slot 0 .. 13
std::vector<std::string> soldierFiles();                // the 62, relative to "Gostek-gfx"

// The bytes the library gives a set's file.
std::string fileBytes(std::string_view slotFolder, std::string_view set, std::string_view relative);

// Every regular file below folder: relative path with '/' -> bytes.
std::map<std::string, std::string> filesBelow(const std::filesystem::path& folder);

// A scratch game folder holding "mods" and the program's set library
// "modsetup" beside the selections file "modsetup.ini". It is the working
// directory while the object lives.
class GameFolder {
public:
    GameFolder();

    const ScratchDir& dir() const { return dir_; }
    std::filesystem::path library() const { return dir_ / "modsetup"; }
    std::filesystem::path modFolder(std::string_view modName) const;
    std::string configBase() const { return dir_.programPath("modsetup"); }

    // A weapon set holding every file of its slot, plus name.txt, stats.ini and
    // files Apply must leave alone.
    void addWeaponSet(std::size_t slot, const std::string& set, std::string_view nameTxt, std::string_view statsIni);
    // A soldier set whose soldier folder is spelt soldierFolder on disk.
    void addSoldierSet(const std::string& set, const std::string& soldierFolder = "Gostek-gfx");

    // The usual choice: "Gold" in every weapon slot, with the name.txt and
    // stats.ini that standardWeaponNames() and standardWeaponsIni() expect,
    // "Red Squad" for team Alpha and "Blue Squad" for team Bravo.
    SlotTexts addStandardSets();

    // Apply with "Use Modified Weapons" ticked, into the mod "Desert" (title
    // "Desert Mod"), through host, as the window runs it.
    ApplyOutcome applyTicked(Host& host, const SlotTexts& texts) const;

    // What a full ticked Apply of the standard sets leaves in the game mod folder.
    std::map<std::string, std::string> standardModFiles() const;

private:
    ScratchDir dir_;
    WorkingDirectory cwd_;
};

// The weapon names file and weapons.ini for the standard sets, CR LF included.
std::string standardWeaponNames();
std::string standardWeaponsIni();  // ModName "Desert"

// Text written with "\n" line ends, as a line file writes it: CR LF.
std::string crlf(std::string_view text);

}  // namespace modsetup::testing
