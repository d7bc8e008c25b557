#pragma once
// The restore point tests' game folder: the standard sets and a second
// choice, "silver", Applied into the mod "Desert" on the system host, and
// the state a restore answers for.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "apply_library.h"
#include "core/install/apply.h"
#include "core/restore/restore_points.h"

namespace modsetup {

// What a restore answers for: every file and folder below "mods" (a folder
// as its path and "/") and the selections file, with their bytes.
using GameState = std::map<std::string, std::string>;

class RestorePoints : public ::testing::Test {
public:  // for the rows' steps
    std::unique_ptr<Host> system = makeSystemHost();
    testing::GameFolder game;
    const SlotTexts gold = game.addStandardSets();
    SlotTexts silver = gold;
    std::string configBase = game.configBase();

    RestorePoints() {
        game.addWeaponSet(kPrimary1, "Silver", "Silver socom\r\n", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
        game.addSoldierSet("Green Squad");
        silver[kPrimary1] = "Silver";
        silver[kTeamAlpha] = "Green Squad";
    }

    ApplyOutcome apply(const SlotTexts& texts, bool ticked = true, Host* host = nullptr,
                       const std::string& modName = "Desert") {
        const ProcessStrings strings{configBase, "Desert Mod", modName};
        return runApply(host != nullptr ? *host : *system, strings, texts, [ticked] { return ticked; });
    }

    GameState state() const {
        GameState files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(game.dir() / "mods")) {
            const std::string path = entry.path().lexically_relative(game.dir().path()).generic_string();
            files[entry.is_directory() ? path + "/" : path] =
                entry.is_directory() ? "" : testing::readFile(entry.path());
        }
        if (std::filesystem::exists(game.dir() / "modsetup.ini"))
            files["modsetup.ini"] = testing::readFile(game.dir() / "modsetup.ini");
        return files;
    }

    RestoreOutcome restoreTo(RestorePoint point, const std::string& modName = "Desert") {
        return restore(*system, configBase, modName, point);
    }
    bool offered(RestorePoint point) {
        const RestoreOffer offer = offeredRestores(*system, configBase, "Desert");
        return point == RestorePoint::Last ? offer.last : offer.original;
    }
};

}  // namespace modsetup
