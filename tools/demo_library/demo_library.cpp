#include "demo_library/demo_library.h"

#include <cmath>
#include <fstream>
#include <optional>
#include <set>
#include <string_view>
#include <system_error>

#include "core/game/slots.h"
#include "core/game/soldier_files.h"
#include "core/game/weapon_copies.h"
#include "core/library/config.h"
#include "core/library/weapon_shot.h"
#include "demo_library/bitmap_file.h"
#include "demo_library/demo_looks.h"
#include "demo_library/demo_pictures.h"
#include "demo_library/set_texts.h"
#include "demo_library/wave_file.h"

namespace modsetup::demo {
namespace {

namespace fs = std::filesystem;

const Theme& themeOf(std::size_t setIndex) { return kThemes[setIndex % kThemes.size()]; }

// "\weapons-gfx\mp5.bmp" below folder: one path piece per backslash-separated name.
fs::path below(const fs::path& folder, std::string_view programSuffix) {
    fs::path path = folder;
    while (!programSuffix.empty()) {
        const std::size_t end = programSuffix.find('\\');
        const std::string_view piece = programSuffix.substr(0, end);
        if (!piece.empty()) path /= fs::path(piece);
        if (end == std::string_view::npos) break;
        programSuffix.remove_prefix(end + 1);
    }
    return path;
}

std::string_view lastPiece(std::string_view programSuffix) {
    const std::size_t slash = programSuffix.rfind('\\');
    return slash == std::string_view::npos ? programSuffix : programSuffix.substr(slash + 1);
}

bool writeBytes(const fs::path& path, const std::string& bytes) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

// A pitch for each sound file, different per file and per set.
double pitchOf(std::string_view fileName, std::size_t setIndex) {
    unsigned hash = 2166136261u;
    for (char c : fileName) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return 200.0 + hash % 600 + 60.0 * static_cast<double>(setIndex % 5);
}

// The shot the window plays when a set is clicked: a falling sweep that
// starts four semitones higher for each set of a slot (three octaves over
// ten themes), and two semitones off past them, so no two sets of a slot
// sound alike.
std::string shotSound(std::size_t sampleBytes, std::size_t setIndex) {
    const double semitones =
        4.0 * static_cast<double>(setIndex % kThemes.size()) + 2.0 * static_cast<double>(setIndex / kThemes.size() % 2);
    const double start = 220.0 * std::pow(2.0, semitones / 12.0);
    return encodeSweep(sampleBytes, start, start / 2.0);
}

std::string animationBytes(const std::string& setName) {
    std::string bytes = "demo animation of the knife set " + setName + "\r\n";
    for (int frame = 0; frame < 16; ++frame) bytes.push_back(static_cast<char>(frame * 7));
    return bytes;
}

bool writeWeaponSet(std::size_t slot, std::size_t setIndex, const std::string& setName, const fs::path& set,
                    const DemoOptions& options) {
    const Theme& theme = themeOf(setIndex);
    std::set<std::string_view> written;
    const std::optional<std::string_view> shot = shotFile(slot);
    for (const WeaponCopy& copy : kWeaponCopies) {
        // A source installed twice (primary slot 2's fire) is written once.
        if (copy.slot != slot || !written.insert(copy.source).second) continue;
        const std::string_view name = lastPiece(copy.source);
        const fs::path path = below(set, copy.source);
        std::string bytes;
        if (copy.source == shot) {
            bytes = shotSound(options.soundBytes, setIndex);
        } else if (name.ends_with(".wav")) {
            bytes = encodeTone(options.soundBytes, pitchOf(name, setIndex));
        } else if (name.ends_with(".poa")) {
            bytes = animationBytes(setName);
        } else if (copy.source.find('\\', 1) == std::string_view::npos) {
            bytes = encodeBitmap24(weaponPicture(slot, theme));  // the icon in the set's root
        } else {
            bytes = encodeBitmap24(weaponGraphic(slot, name, theme));
        }
        if (!writeBytes(path, bytes)) return false;
    }
    return writeBytes(set / "name.txt", nameFileText(slot, setIndex)) &&
           writeBytes(set / "stats.ini", statsFileText(slot, setIndex));
}

bool writeSoldierSet(std::size_t setIndex, const fs::path& set) {
    const Theme& theme = themeOf(setIndex);
    if (!writeBytes(set / "pic.bmp", encodeBitmap24(soldierPicture(theme)))) return false;
    const fs::path soldierFolder = below(set, kSoldierSetFolder);
    for (std::string_view file : kSoldierFiles) {
        if (!writeBytes(below(soldierFolder, file), encodeBitmap24(soldierPart(file, theme)))) return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> demoSetNames(std::size_t slot, const DemoOptions& options) {
    const std::string_view prefix = slot < kWeaponSlotCount ? kWeaponLooks[slot].prefix : kSoldierPrefix;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < options.setsPerSlot; ++i) {
        std::string name = std::string(prefix) + " " + std::string(themeOf(i).name);
        // Past the last theme the names start again with a number: "Desert Gold 2".
        if (i >= kThemes.size()) name.append(" ").append(std::to_string(i / kThemes.size() + 1));
        names.push_back(std::move(name));
    }
    return names;
}

bool writeDemoLibrary(const std::filesystem::path& library, const DemoOptions& options) {
    std::error_code error;
    fs::create_directories(library, error);
    if (error || !fs::is_directory(library)) return false;
    if (!writeBytes(library / "mod.ini", options.modTitle + "\r\n" + options.modName + "\r\n")) return false;

    // The two team slots share the folder "gostek": it is written once.
    for (std::size_t slot = 0; slot <= kTeamAlpha; ++slot) {
        const fs::path slotFolder = library / fs::path(kSlots[slot].folder);
        fs::create_directories(slotFolder, error);
        if (error || !fs::is_directory(slotFolder)) return false;
        const std::vector<std::string> names = demoSetNames(slot, options);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const fs::path set = slotFolder / fs::path(names[i]);
            const bool written =
                slot < kWeaponSlotCount ? writeWeaponSet(slot, i, names[i], set, options) : writeSoldierSet(i, set);
            if (!written) return false;
        }
    }
    return true;
}

std::string demoSelectionsText(const DemoOptions& options) {
    SlotTexts texts;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const std::vector<std::string> names = demoSetNames(slot, options);
        // Each weapon slot starts on another theme; team Alpha in red, team Bravo in blue.
        std::size_t pick = slot;
        if (slot == kTeamAlpha) pick = 4;
        if (slot == kTeamBravo) pick = 8;
        if (!names.empty()) texts[slot] = names[pick % names.size()];
    }
    return selectionsText(texts, true).value();  // demo names hold no line break
}

}  // namespace modsetup::demo
