#include "check_library.h"

#include <set>

#include "apply_library.h"
#include "bmp_builder.h"
#include "test_support.h"

namespace modsetup::testing {
namespace {

void writeSetFile(const std::filesystem::path& path, std::uint32_t marker) {
    const std::string name = path.filename().string();
    writeFile(path, name.ends_with(".bmp") ? markerBitmap(marker) : "RIFF sound or animation of " + name);
}

}  // namespace

std::vector<std::string> checkWeaponFiles(std::size_t slot) {
    std::vector<std::string> files;
    std::set<std::string> seen;
    for (const SetFile& file : weaponSetFiles(slot))
        if (seen.insert(file.source).second) files.push_back(file.source);
    return files;
}

std::string checkSelections(const std::vector<std::string>& texts) {
    std::string bytes;
    for (const std::string& text : texts) bytes += text + "\r\n";
    return bytes + "1\r\n";
}

void writeCheckLibrary(const std::filesystem::path& gameFolder) {
    const std::filesystem::path library = gameFolder / "modsetup";
    writeFile(gameFolder / "modsetup.exe", "the program file");
    writeFile(library / "mod.ini", "Check Title\r\nCheckMod\r\n");
    std::uint32_t marker = 0x100;
    for (std::size_t slot = 0; slot < 14; ++slot) {
        for (const std::string& set : kCheckSets) {
            const std::filesystem::path folder = library / kTestSlotFolders[slot] / set;
            for (const std::string& file : checkWeaponFiles(slot)) writeSetFile(folder / file, ++marker);
            writeFile(folder / "name.txt", set + " " + kTestSlotFolders[slot] + "\r\n");
            writeFile(folder / "stats.ini", "100\r\n12\r\n30\r\n40\r\n25\r\n1\r\n0\r\n0\r\n0.5\r\n");
        }
    }
    for (const std::string& set : kCheckSets) {
        const std::filesystem::path folder = library / "gostek" / set;
        writeSetFile(folder / "pic.bmp", ++marker);
        const std::string soldierFolder = set == kCheckSets[0] ? "Gostek-gfx" : "GOSTEK-gfx";
        for (const std::string& file : soldierFiles()) writeSetFile(folder / soldierFolder / file, ++marker);
    }
    writeFile(gameFolder / "modsetup.ini", checkSelections(std::vector<std::string>(16, kCheckSets[0])));
}

}  // namespace modsetup::testing
