#include "apply_library.h"

#include "core/io/line_file.h"

namespace modsetup::testing {
namespace {

// What a weapon set holds, slot by slot: its icon in the set folder's root,
// pictures in "weapons-gfx" and sounds in "sfx" (names without extension).
struct WeaponLayout {
    std::string icon;
    std::vector<std::string> pictures;
    std::vector<std::string> sounds;
};

const std::vector<WeaponLayout> kWeaponLayouts = {
    {"1.bmp",
     {"deserteagle-2", "deserteagle", "deserteagle-clip2", "deserteagle-clip", "eagles-bullet", "eagles-fire",
      "eagles-shell", "n-deserteagle-2", "n-deserteagle"},
     {"deserteagle-fire", "deserteagle-reload"}},
    {"2.bmp",
     {"mp5-2", "mp5", "mp5-clip", "mp5-clip2", "mp5-bullet", "mp5-shell", "fire2"},
     {"mp5-fire", "mp5-reload"}},
    {"3.bmp",
     {"ak74-2", "ak74", "ak74-clip2", "ak74-clip", "ak74-bullet", "ak74-shell", "ak74-fire"},
     {"ak74-fire", "ak74-reload"}},
    {"4.bmp",
     {"steyraug-2", "steyraug", "steyraug-clip2", "steyraug-clip", "steyraug-bullet", "steyraug-shell",
      "steyraug-fire"},
     {"steyraug-fire", "steyraug-reload"}},
    {"5.bmp",
     {"spas12-2", "spas12", "spas12-bullet", "spas12-shell", "spas12-fire"},
     {"spas12-fire", "spas12-reload", "gaugeshell"}},
    {"6.bmp",
     {"ruger77-2", "ruger77", "ruger77-bullet", "ruger77-fire", "ruger77-shell"},
     {"ruger77-fire", "ruger77-reload"}},
    {"7.bmp",
     {"m79-2", "m79", "m79-clip", "m79-clip2", "m79-shell", "m79-bullet", "m79-fire"},
     {"m79-fire", "m79-explosion", "m79-reload"}},
    {"8.bmp",
     {"barret-fire", "barretm82-bullet", "barretm82", "barretm82-2", "barretm82-shell", "barretm82-clip2",
      "barretm82-clip"},
     {"scope", "scopeback", "barretm82-fire", "barretm82-reload"}},
    {"9.bmp",
     {"m249-2", "m249", "m249-clip2", "m249-clip", "m249-bullet", "m249-shell", "m249-fire"},
     {"m249-fire", "m249-reload"}},
    {"0.bmp",
     {"minigun-2", "minigun", "minigun-clip", "minigun-fire", "minigun-shell", "minigun-bullet"},
     {"minigun-end", "minigun-fire", "minigun-reload", "minigun-start", "minigun-empty"}},
    {"10.bmp",
     {"colt1911-2", "colt1911", "colt1911-clip2", "colt1911-clip", "colt-bullet", "colt-shell", "n-colt1911",
      "n-colt1911-2", "colt1911-fire"},
     {"colt1911-fire", "colt1911-reload"}},
    {"knife.bmp", {"knife", "knife2"}, {"knife", "slash"}},
    {"chainsaw.bmp",
     {"chainsaw2", "chainsaw", "chainsaw-fire"},
     {"chainsaw-o", "chainsaw-r", "chainsaw-m", "chainsaw-d"}},
    {"law.bmp", {"law-2", "law", "missile", "law-fire"}, {"law", "law-start", "law-end"}},
};

}  // namespace

const std::vector<std::string> kTestSlotFolders = {"1", "2", "3",     "4",     "5",     "6",   "7",      "8",
                                                   "9", "0", "socom", "knife", "chain", "law", "gostek", "gostek"};

std::vector<SetFile> weaponSetFiles(std::size_t slot) {
    const WeaponLayout& layout = kWeaponLayouts.at(slot);
    std::vector<SetFile> files{{layout.icon, "interface-gfx/guns/" + layout.icon}};
    for (const auto& picture : layout.pictures)
        files.push_back({"weapons-gfx/" + picture + ".bmp", "weapons-gfx/" + picture + ".bmp"});
    for (const auto& sound : layout.sounds) files.push_back({"sfx/" + sound + ".wav", "sfx/" + sound + ".wav"});
    if (slot == 1) files.push_back({"weapons-gfx/fire2.bmp", "weapons-gfx/mp5-fire.bmp"});
    if (slot == 11) files.push_back({"bije.poa", "anims/bije.poa"});
    return files;
}

std::vector<std::string> soldierFiles() {
    const std::vector<std::string> pairs = {"klata", "ramie",  "reka",  "dlon",  "kamizelka", "udo",
                                            "noga",  "biodro", "stopa", "badge", "cygaro",    "morda",
                                            "hair4", "hair2",  "hair3", "hair1", "kap",       "helm",
                                            "metal", "walkie", "beer",  "zloto", "lecistopa"};
    const std::vector<std::string> woundedPairs = {"klata", "ramie", "reka", "udo", "noga", "biodro", "morda"};
    std::vector<std::string> files = {"lancuch.bmp", "zlotylancuch.bmp"};
    for (const auto& stem : pairs) {
        files.push_back(stem + ".bmp");
        files.push_back(stem + "2.bmp");
    }
    for (const auto& stem : woundedPairs) {
        files.push_back("ranny/" + stem + ".bmp");
        files.push_back("ranny/" + stem + "2.bmp");
    }
    return files;
}

std::string fileBytes(std::string_view slotFolder, std::string_view set, std::string_view relative) {
    return std::string(slotFolder) + "|" + std::string(set) + "|" + std::string(relative);
}

std::map<std::string, std::string> filesBelow(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    if (!std::filesystem::is_directory(folder)) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().lexically_relative(folder).generic_string()] = readFile(entry.path());
    return files;
}

GameFolder::GameFolder() : cwd_(dir_.path()) { std::filesystem::create_directory(dir_ / "mods"); }

ApplyOutcome GameFolder::applyTicked(Host& host, const SlotTexts& texts) const {
    const ProcessStrings strings{configBase(), "Desert Mod", "Desert"};
    return runApply(host, strings, texts, [] { return true; });
}

std::filesystem::path GameFolder::modFolder(std::string_view modName) const {
    return dir_.path() / "mods" / std::filesystem::path(modName);
}

void GameFolder::addWeaponSet(std::size_t slot, const std::string& set, std::string_view nameTxt,
                              std::string_view statsIni) {
    const std::string& folder = kTestSlotFolders.at(slot);
    const auto setFolder = library() / folder / set;
    for (const auto& file : weaponSetFiles(slot))
        writeFile(setFolder / file.source, fileBytes(folder, set, file.source));
    writeFile(setFolder / "name.txt", nameTxt);
    writeFile(setFolder / "stats.ini", statsIni);
    // Files no row reads: a preview picture, a stray file, and names that
    // only exist below the game mod folder.
    writeFile(setFolder / "pic.bmp", "preview");
    writeFile(setFolder / "weapons-gfx/extra.bmp", "extra");
    if (slot == 1) writeFile(setFolder / "weapons-gfx/mp5-fire.bmp", "not read");
    if (slot == 11) writeFile(setFolder / "anims/bije.poa", "not read");
}

void GameFolder::addSoldierSet(const std::string& set, const std::string& soldierFolder) {
    const auto setFolder = library() / "gostek" / set;
    for (const auto& file : soldierFiles()) writeFile(setFolder / soldierFolder / file, fileBytes("gostek", set, file));
    writeFile(setFolder / "pic.bmp", "preview");
    writeFile(setFolder / soldierFolder / "extra.bmp", "extra");
}

SlotTexts GameFolder::addStandardSets() {
    SlotTexts texts;
    for (std::size_t slot = 0; slot < 14; ++slot) {
        const std::string& folder = kTestSlotFolders[slot];
        std::string name = "Gold " + folder + "\r\nsecond line\r\n";
        std::string stats;
        for (int line = 1; line <= 9; ++line) stats += folder + "." + std::to_string(line) + "\r\n";
        // Line ends as sets made by hand have them: LF only, none at the end,
        // and lines after the ninth.
        if (folder == "3") stats = "3.1\n3.2\n3.3\n3.4\n3.5\n3.6\n3.7\n3.8\n3.9\n";
        if (folder == "4") stats.resize(stats.size() - 2);
        if (folder == "law") stats += "law.10\r\n";
        if (folder == "8") name = "0\r\n";
        if (folder == "chain") name = "Gold chain\nsecond\n";
        addWeaponSet(slot, "Gold", name, stats);
        texts[slot] = "Gold";
    }
    addSoldierSet("Red Squad");
    addSoldierSet("Blue Squad");
    texts[14] = "Red Squad";
    texts[15] = "Blue Squad";
    return texts;
}

std::map<std::string, std::string> GameFolder::standardModFiles() const {
    std::map<std::string, std::string> files;
    for (std::size_t slot = 0; slot < 14; ++slot)
        for (const auto& file : weaponSetFiles(slot))
            files[file.target] = fileBytes(kTestSlotFolders[slot], "Gold", file.source);
    for (const auto& file : soldierFiles()) {
        files["gostek-gfx/" + file] = fileBytes("gostek", "Red Squad", file);
        files["gostek-gfx/team2/" + file] = fileBytes("gostek", "Blue Squad", file);
    }
    files["txt/weaponnames.txt"] = standardWeaponNames();
    files["weapons.ini"] = standardWeaponsIni();
    return files;
}

std::string crlf(std::string_view text) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

std::string standardWeaponNames() {
    return crlf(R"(Gold socom
Gold 1
Gold 2
Gold 3
Gold 4
Gold 5
Gold 6
Gold 7
Gold
Gold 9
Gold 0
Flamer
Rambo Bow
Flamed Arrows
Gold knife
Gold chain
Gold law
)");
}

std::string standardWeaponsIni() {
    return crlf(R"([Info]
Name=Desert
Version=1

[USSOCOM]
Damage=socom.1
FireInterval=socom.2
Ammo=socom.3
ReloadTime=socom.4
Speed=socom.5
BulletStyle=socom.6
StartUpTime=socom.7
Bink=socom.8
MovementAcc=socom.9

[Desert Eagles]
Damage=1.1
FireInterval=1.2
Ammo=1.3
ReloadTime=1.4
Speed=1.5
BulletStyle=1.6
StartUpTime=1.7
Bink=1.8
MovementAcc=1.9

[HK MP5]
Damage=2.1
FireInterval=2.2
Ammo=2.3
ReloadTime=2.4
Speed=2.5
BulletStyle=2.6
StartUpTime=2.7
Bink=2.8
MovementAcc=2.9

[Ak-74]
Damage=3.1
FireInterval=3.2
Ammo=3.3
ReloadTime=3.4
Speed=3.5
BulletStyle=3.6
StartUpTime=3.7
Bink=3.8
MovementAcc=3.9

[Steyr AUG]
Damage=4.1
FireInterval=4.2
Ammo=4.3
ReloadTime=4.4
Speed=4.5
BulletStyle=4.6
StartUpTime=4.7
Bink=4.8
MovementAcc=4.9

[Spas-12]
Damage=5.1
FireInterval=5.2
Ammo=5.3
ReloadTime=5.4
Speed=5.5
BulletStyle=5.6
StartUpTime=5.7
Bink=5.8
MovementAcc=5.9

[Ruger 77]
Damage=6.1
FireInterval=6.2
Ammo=6.3
ReloadTime=6.4
Speed=6.5
BulletStyle=6.6
StartUpTime=6.7
Bink=6.8
MovementAcc=6.9

[M79]
Damage=7.1
FireInterval=7.2
Ammo=7.3
ReloadTime=7.4
Speed=7.5
BulletStyle=7.6
StartUpTime=7.7
Bink=7.8
MovementAcc=7.9

[Barret M82A1]
Damage=8.1
FireInterval=8.2
Ammo=8.3
ReloadTime=8.4
Speed=8.5
BulletStyle=8.6
StartUpTime=8.7
Bink=8.8
MovementAcc=8.9

[FN Minimi]
Damage=9.1
FireInterval=9.2
Ammo=9.3
ReloadTime=9.4
Speed=9.5
BulletStyle=9.6
StartUpTime=9.7
Bink=9.8
MovementAcc=9.9

[XM214 Minigun]
Damage=0.1
FireInterval=0.2
Ammo=0.3
ReloadTime=0.4
Speed=0.5
BulletStyle=0.6
StartUpTime=0.7
Bink=0.8
MovementAcc=0.9

[Flamer]
Damage=1200
FireInterval=6
Ammo=200
ReloadTime=5
Speed=105
Bulletstyle=5
StartUpTime=0
Bink=0
MovementAcc=1
[Rambo Bow]
Damage=1200
FireInterval=10
Ammo=1
ReloadTime=25
Speed=210
Bulletstyle=7
StartUpTime=0
Bink=0
MovementAcc=1
[Flamed Arrows]
Damage=800
FireInterval=10
Ammo=1
ReloadTime=39
Speed=180
Bulletstyle=8
StartUpTime=0
Bink=0
MovementAcc=1
[Combat Knife]
Damage=knife.1
FireInterval=knife.2
Ammo=knife.3
ReloadTime=knife.4
Speed=knife.5
BulletStyle=knife.6
StartUpTime=knife.7
Bink=knife.8
MovementAcc=knife.9

[Chainsaw]
Damage=chain.1
FireInterval=chain.2
Ammo=chain.3
ReloadTime=chain.4
Speed=chain.5
BulletStyle=chain.6
StartUpTime=chain.7
Bink=chain.8
MovementAcc=chain.9

[M72 LAW]
Damage=law.1
FireInterval=law.2
Ammo=law.3
ReloadTime=law.4
Speed=law.5
BulletStyle=law.6
StartUpTime=law.7
Bink=law.8
MovementAcc=law.9

[Punch]
Damage=33000
FireInterval=6
Ammo=1
ReloadTime=3
Speed=50
Bulletstyle=6
StartUpTime=0
Bink=0
MovementAcc=1
[Grenade]
Damage=150000
FireInterval=80
Ammo=1
ReloadTime=20
Speed=50
Bulletstyle=2
StartUpTime=0
Bink=0
MovementAcc=1
[Stationary Gun]
Damage=180
FireInterval=10
Ammo=100
ReloadTime=366
Speed=360
Bulletstyle=14
StartUpTime=0
Bink=0
MovementAcc=1
)");
}

}  // namespace modsetup::testing
