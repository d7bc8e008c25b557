#include "core/soldier_graphics.h"

#include "core/mod_folder.h"
#include "core/soldier_files.h"

namespace modsetup {

void installSoldierGraphics(Host& host, const ProcessStrings& strings, const SlotTexts& texts,
                            InstallFailures& failures) {
    for (const TeamFolder& team : kTeamFolders) {
        // The set's soldier folder: ConfigBase + "\gostek\" + set name + "\Gostek-gfx\".
        const std::string sourceFolder =
            setFolderPath(strings.configBase, team.slot, texts[team.slot]) + std::string(kSoldierSetFolder);
        const std::string targetFolder = modPath(strings.modName, team.target) + '\\';
        for (std::string_view file : kSoldierFiles)
            installCopy(host, sourceFolder + std::string(file), targetFolder + std::string(file), failures);
    }
}

}  // namespace modsetup
