#include "core/install/soldier_graphics.h"

#include "core/game/soldier_files.h"

namespace modsetup {

std::vector<FileCopy> soldierGraphicsCopies(const ProcessStrings& strings, const SlotTexts& texts) {
    std::vector<FileCopy> copies;
    copies.reserve(kTeamFolders.size() * kSoldierFiles.size());
    for (const TeamFolder& team : kTeamFolders) {
        // The set's soldier folder: ConfigBase + "\gostek\" + set name + "\Gostek-gfx\".
        const std::string sourceFolder =
            setFolderPath(strings.configBase, team.slot, texts[team.slot]) + std::string(kSoldierSetFolder);
        const std::string targetFolder = modPath(strings.modName, team.target) + '\\';
        for (std::string_view file : kSoldierFiles)
            copies.push_back({sourceFolder + std::string(file), targetFolder + std::string(file), team.slot});
    }
    return copies;
}

}  // namespace modsetup
