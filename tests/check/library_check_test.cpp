// The check of a set library: a clean library reports nothing, and each fault
// put into it is reported once, with its place, its severity and what the
// program will do because of it, and gives the program's exit status.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "apply_library.h"
#include "check/check_program.h"
#include "check/library_check.h"
#include "check/messages.h"
#include "check_library.h"
#include "core/io/forwarding_host.h"
#include "test_support.h"

namespace modsetup::check {
namespace {

namespace fs = std::filesystem;
using testing::checkSelections;
using testing::kCheckSets;
using testing::readFile;
using testing::writeFile;

// A place as the report shows it, written here with '/'.
std::string shown(std::string place) {
#ifdef _WIN32
    for (char& c : place)
        if (c == '/') c = '\\';
#endif
    return place;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// A game folder with the clean test library, ready to be spoilt.
class Game {
public:
    Game() { testing::writeCheckLibrary(dir_.path()); }

    const fs::path& folder() const { return dir_.path(); }
    fs::path library() const { return dir_ / "modsetup"; }
    std::string configBase() const { return dir_.programPath("modsetup"); }
    std::string programFile() const { return dir_.programPath("modsetup.exe"); }
    // Makes the selections file name other texts for some slots, the first set for the rest.
    void select(const std::vector<std::pair<std::size_t, std::string>>& choices) const {
        std::vector<std::string> texts(16, kCheckSets[0]);
        for (const auto& [slot, text] : choices) texts[slot] = text;
        writeFile(dir_ / "modsetup.ini", checkSelections(texts));
    }

private:
    testing::ScratchDir dir_;
};

class LibraryCheck : public ::testing::Test {
protected:
    std::unique_ptr<Host> host = makeSystemHost();
};

TEST_F(LibraryCheck, CleanLibraryReportsNothingAndReadsEachFileOnce) {
    const Game game;
    // Apply's restore folder lies beside the library, not in it.
    writeFile(game.folder() / "modsetup.restore/last/manifest.txt", "modsetup restore point\r\n");
    writeFile(game.folder() / "modsetup.restore/last/1", "not a bitmap");
    const CheckResult result = checkLibrary(*host, game.configBase());
    for (const Finding& finding : result.findings) ADD_FAILURE() << findingLine(finding);
    EXPECT_EQ(result.sets, 15 * kCheckSets.size());

    // Each file of a set once, however many pictures show it and whichever
    // letter case the previews write its folder in; name.txt and stats.ini too.
    std::size_t files = 1 + testing::soldierFiles().size();
    for (std::size_t slot = 0; slot < 14; ++slot) files += testing::checkWeaponFiles(slot).size() + 2;
    EXPECT_EQ(result.files, files * kCheckSets.size());
    ASSERT_EQ(result.slotFolders.size(), 15u);
    for (const SlotFolderCount& folder : result.slotFolders) EXPECT_EQ(folder.sets, kCheckSets.size());
}

struct Fault {
    const char* what;
    std::vector<std::string> touched;  // below the game folder: put back after the row
    std::function<void(const fs::path& library, const Game& game)> make;
    Severity severity;
    std::string place;  // with '/'
    std::string text;   // a part of the finding's text
    int exitStatus;
};

void truncate(const fs::path& path, std::size_t size) { writeFile(path, readFile(path).substr(0, size)); }

std::string statsWithout(std::size_t line, const std::string& value) {
    std::string text;
    for (std::size_t i = 0; i < 9; ++i) text += (i == line ? value : std::to_string(10 + i)) + "\r\n";
    return text;
}

TEST_F(LibraryCheck, EachFaultIsReportedOnceWithWhatTheProgramDoes) {
    const std::size_t graphicsOfSlot1 = [] {
        std::size_t count = 0;
        for (const std::string& file : testing::checkWeaponFiles(kPrimary1)) count += file.starts_with("weapons-gfx/");
        return count;
    }();
    const std::vector<Fault> faults{
        {"a missing sound",
         {"modsetup/2/Gold/sfx"},
         [](auto& lib, auto&) { fs::remove(lib / "2/Gold/sfx/mp5-fire.wav"); },
         Severity::Warning,
         "2/Gold/sfx/mp5-fire.wav",
         "missing: Apply skips it and the game keeps its own",
         kExitNoErrors},
        {"a missing detail picture",
         {"modsetup/6/Night/weapons-gfx"},
         [](auto& lib, auto&) { fs::remove(lib / "6/Night/weapons-gfx/ruger77-bullet.bmp"); },
         Severity::Error,
         "6/Night/weapons-gfx/ruger77-bullet.bmp",
         "missing: the window reports an error when the set is chosen, and Apply skips it",
         kExitErrors},
        {"a mistyped graphics folder",
         {"modsetup/1/Gold/weapons-gfx", "modsetup/1/Gold/weapon-gfx"},
         [](auto& lib, auto&) { fs::rename(lib / "1/Gold/weapons-gfx", lib / "1/Gold/weapon-gfx"); },
         Severity::Error,
         "1/Gold/weapons-gfx",
         "missing; the set should keep " + std::to_string(graphicsOfSlot1) +
             " files there: the window reports an error when the set is chosen, and Apply skips them; the set has "
             "a folder \"weapon-gfx\" that nothing reads",
         kExitErrors},
        {"a missing wounded soldiers' folder",
         {"modsetup/gostek/Night/GOSTEK-gfx/ranny"},
         [](auto& lib, auto&) { fs::remove_all(lib / "gostek/Night/GOSTEK-gfx/ranny"); },
         Severity::Warning,
         "gostek/Night/Gostek-gfx/ranny",
         "missing; the set should keep 14 files there: Apply skips them",
         kExitNoErrors},
        {"a truncated weapon picture",
         {"modsetup/7/Gold/7.bmp"},
         [](auto& lib, auto&) { truncate(lib / "7/Gold/7.bmp", 57); },
         Severity::Error,
         "7/Gold/7.bmp",
         "not a bitmap the program can read (pixel data cut short): the window reports \"Bitmap image is not "
         "valid\" when the set is chosen, and Apply installs it as it is",
         kExitErrors},
        {"a soldier picture that is no bitmap",
         {"modsetup/gostek/Gold/Gostek-gfx/ranny/udo.bmp"},
         [](auto& lib, auto&) { writeFile(lib / "gostek/Gold/Gostek-gfx/ranny/udo.bmp", "GIF89a"); },
         Severity::Warning,
         "gostek/Gold/Gostek-gfx/ranny/udo.bmp",
         "not a bitmap the program can read (not a bitmap file): Apply installs it as it is",
         kExitNoErrors},
        {"a folder where a sound belongs",
         {"modsetup/law/Gold/sfx"},
         [](auto& lib, auto&) {
             fs::remove(lib / "law/Gold/sfx/law.wav");
             fs::create_directory(lib / "law/Gold/sfx/law.wav");
         },
         Severity::Warning,
         "law/Gold/sfx/law.wav",
         "a folder, not a file: Apply skips it",
         kExitNoErrors},
        {"a short stats file",
         {"modsetup/9/Gold/stats.ini"},
         [](auto& lib, auto&) { writeFile(lib / "9/Gold/stats.ini", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n"); },
         Severity::Warning,
         "9/Gold/stats.ini",
         "no value on line 9 (MovementAcc): with \"Use Modified Weapons\" ticked, Apply writes this key into "
         "weapons.ini without a value",
         kExitNoErrors},
        {"a stats value that is no number",
         {"modsetup/0/Night/stats.ini"},
         [](auto& lib, auto&) { writeFile(lib / "0/Night/stats.ini", statsWithout(2, "30 rounds")); },
         Severity::Warning,
         "0/Night/stats.ini",
         "not a number: line 3 (Ammo) \"30 rounds\": Apply writes it into weapons.ini as it is",
         kExitNoErrors},
        {"a missing stats file",
         {"modsetup/socom/Gold/stats.ini"},
         [](auto& lib, auto&) { fs::remove(lib / "socom/Gold/stats.ini"); },
         Severity::Warning,
         "socom/Gold/stats.ini",
         "Apply writes [USSOCOM] into weapons.ini with nine empty values",
         kExitNoErrors},
        {"a name file with an empty first line",
         {"modsetup/chain/Gold/name.txt"},
         [](auto& lib, auto&) { writeFile(lib / "chain/Gold/name.txt", "\r\nSaw\r\n"); },
         Severity::Warning,
         "chain/Gold/name.txt",
         "line 1 is empty: with \"Use Modified Weapons\" ticked, Apply writes "
         "an empty weapon name for secondary slot 3",
         kExitNoErrors},
        {"a name file whose line looks like 0",
         {"modsetup/knife/Night/name.txt"},
         [](auto& lib, auto&) { writeFile(lib / "knife/Night/name.txt", "0 \r\n"); },
         Severity::Warning,
         "knife/Night/name.txt",
         "line 1 is \"0 \", not \"0\"",
         kExitNoErrors},
        {"a stale selection",
         {"modsetup.ini"},
         [](auto&, auto& game) {
             game.select({{kPrimary3, "Gone"}});
         },
         Severity::Error,
         "modsetup.ini line 3",
         "names the set \"Gone\" of primary slot 3, which is not in the slot folder \"3\": the window reports an "
         "error at start",
         kExitErrors},
        {"an unsafe mod name",
         {"modsetup/mod.ini"},
         [](auto& lib, auto&) { writeFile(lib / "mod.ini", "Title\r\n..\\Windows\r\n"); },
         Severity::Error,
         "mod.ini",
         "line 2, the mod name, is refused by Apply and Play with this report: The mod name",
         kExitErrors},
        {"a mod name past ASCII",
         {"modsetup/mod.ini"},
         [](auto& lib, auto&) { writeFile(lib / "mod.ini", "Title\r\nD\xE9sert\r\n"); },
         Severity::Warning,
         "mod.ini",
         "line 2, the mod name \"D\xE9sert\", holds the byte 0xE9, which is not ASCII: the command interpreter reads "
         "the launch script in another code page, so Play starts the game with another mod name than the folder "
         "Apply writes",
         kExitNoErrors},
        {"no window title",
         {"modsetup/mod.ini"},
         [](auto& lib, auto&) { writeFile(lib / "mod.ini", "\r\nCheckMod\r\n"); },
         Severity::Warning,
         "mod.ini",
         "line 1, the window title, is empty",
         kExitNoErrors},
        {"no mod.ini",
         {"modsetup/mod.ini"},
         [](auto& lib, auto&) { fs::remove(lib / "mod.ini"); },
         Severity::Error,
         "mod.ini",
         "missing: the window shows no title, and Apply and Play refuse the empty mod name",
         kExitErrors},
        {"a missing slot folder",
         {"modsetup/knife", "modsetup.ini"},
         [](auto& lib, auto& game) {
             fs::remove_all(lib / "knife");
             game.select({{kSecondary2, ""}});
         },
         Severity::Warning,
         "knife",
         "missing: no set to choose for secondary slot 2",
         kExitNoErrors},
        {"an empty soldiers' folder",
         {"modsetup/gostek", "modsetup.ini"},
         [](auto& lib, auto& game) {
             for (const auto& set : kCheckSets) fs::remove_all(lib / "gostek" / set);
             game.select({{kTeamAlpha, ""}, {kTeamBravo, ""}});
         },
         Severity::Warning,
         "gostek",
         "holds no set folder: no set to choose for team Alpha and team Bravo",
         kExitNoErrors},
        {"a leftover of a write cut short",
         {"modsetup/3/Gold/sfx"},
         [](auto& lib, auto&) { writeFile(lib / "3/Gold/sfx/ak74-fire.wav.~6377", "part"); },
         Severity::Warning,
         "3/Gold/sfx/ak74-fire.wav.~6377",
         "a temporary file that a write of \"ak74-fire.wav\" left when it was cut short",
         kExitNoErrors},
#ifndef _WIN32
        {"a sound linked to a private file",
         {"modsetup/2/Gold/sfx"},
         [](auto& lib, auto& game) {
             writeFile(game.folder() / "private.txt", "private");
             fs::remove(lib / "2/Gold/sfx/mp5-fire.wav");
             fs::create_symlink(game.folder() / "private.txt", lib / "2/Gold/sfx/mp5-fire.wav");
         },
         Severity::Error,
         "2/Gold/sfx/mp5-fire.wav",
         "a link that leads outside the set library, which the program never reads: Apply reports it and does not copy "
         "it",
         kExitErrors},
        {"a set folder linked elsewhere",
         {"modsetup/7/Night"},
         [](auto& lib, auto& game) {
             fs::rename(lib / "7/Night", game.folder() / "night");
             fs::create_directory_symlink(game.folder() / "night", lib / "7/Night");
         },
         Severity::Error,
         "7/Night",
         "a link that leads outside the set library: the program reads none of the set's files",
         kExitErrors},
#endif
    };
    // One library for all rows: each row's fault is made, checked and mended.
    const Game game;
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        const testing::ScratchDir saved;
        for (std::size_t i = 0; i < fault.touched.size(); ++i)
            if (fs::exists(game.folder() / fault.touched[i]))
                fs::copy(game.folder() / fault.touched[i], saved / std::to_string(i), fs::copy_options::recursive);
        fault.make(game.library(), game);

        std::ostringstream out, err;
        const int status = runCheckProgram(*host, {"--quiet", game.programFile()}, out, err, false);
        EXPECT_EQ(status, fault.exitStatus);
        EXPECT_EQ(err.str(), "");
        const std::vector<std::string> report = lines(out.str());
        ASSERT_EQ(report.size(), 2u) << out.str();
        const std::string start = severityWord(fault.severity) + ": " + shown(fault.place) + ": ";
        EXPECT_TRUE(report[0].starts_with(start)) << report[0] << "\nexpected to start with: " << start;
        EXPECT_NE(report[0].find(fault.text), std::string::npos) << report[0] << "\nexpected to hold: " << fault.text;
        EXPECT_TRUE(
            report[1].ends_with(fault.severity == Severity::Error ? "1 error, 0 warnings" : "0 errors, 1 warning"))
            << report[1];

        for (std::size_t i = 0; i < fault.touched.size(); ++i) {
            fs::remove_all(game.folder() / fault.touched[i]);
            if (fs::exists(saved / std::to_string(i)))
                fs::copy(saved / std::to_string(i), game.folder() / fault.touched[i], fs::copy_options::recursive);
        }
    }
}

// Marks the entries whose names begin with "Hidden" hidden, and those that
// begin with "Unwritable" as names the code page cannot write, as the Windows
// host reports them. It lists the library itself, unconfined.
class HidingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override {
        auto listed = ForwardingHost::listFolder(folder);
        if (!listed.ok()) return listed;
        for (auto& entry : listed.value()) entry.isHidden = entry.name.starts_with("Hidden");
        for (auto& entry : listed.value()) entry.nameUnrepresentable = entry.name.starts_with("Unwritable");
        return listed;
    }
    std::unique_ptr<Confinement> confine(const std::string&) override {
        return std::make_unique<testing::UnconfinedReads>(*this);
    }
};

TEST_F(LibraryCheck, HiddenSetIsNamedAsNotOfferedAndNotCheckedFurther) {
    const Game game;
    fs::create_directories(game.library() / "5/Hidden set/weapons-gfx");
    game.select({{kPrimary5, "Hidden set"}});  // the window still finds a set the list passes over
    HidingHost hiding(*host);
    const CheckResult result = checkLibrary(hiding, game.configBase());
    ASSERT_EQ(result.findings.size(), 1u);
    EXPECT_EQ(findingLine(result.findings[0]),
              "warning: " + shown("5/Hidden set") + ": hidden or a system folder: the list does not offer this set");
    EXPECT_EQ(result.sets, 15 * kCheckSets.size());
}

TEST_F(LibraryCheck, SetNameTheCodePageCannotWriteIsAnError) {
    const Game game;
    fs::create_directories(game.library() / "6/Unwritable");
    HidingHost hiding(*host);
    const CheckResult result = checkLibrary(hiding, game.configBase());
    ASSERT_EQ(result.findings.size(), 1u);
    EXPECT_EQ(findingLine(result.findings[0]),
              "error: " + shown("6/Unwritable") +
                  ": the name holds characters this system's code page cannot write, so the set cannot be chosen "
                  "on this system: the list does not offer it");
}

#ifndef _WIN32
// A set folder Windows cannot hold by that name: a copy of the library there
// loses or refuses the set. Every other name is taken as it is.
TEST_F(LibraryCheck, SetNamesWindowsCannotHoldAreWarnedOf) {
    const Game game;
    const std::pair<std::string, std::string> rows[] = {
        // a name, what is wrong with it
        {"Gold.", "ends in a dot,"},
        {"Gold ", "ends in a blank,"},
        {"CON", "is that of a device of Windows,"},
        {"nul.txt", "is that of a device of Windows,"},
        {"LPT9 .old", "is that of a device of Windows,"},
        {"a<b", "holds the character <,"},
        {"a:b", "holds the character :,"},
        {"a\"b", "holds the character \","},
        {"a?b", "holds the character ?,"},
        {"CONSOLE", ""},
        {"Gold.v2", ""},
        {"COM10", ""},
    };
    for (const auto& [name, problem] : rows) {
        fs::copy(game.library() / "8/Gold", game.library() / "8" / name, fs::copy_options::recursive);
        const CheckResult result = checkLibrary(*host, game.configBase());
        fs::remove_all(game.library() / "8" / name);
        std::string found;
        for (const Finding& finding : result.findings) found += findingLine(finding);
        const std::string prefix =
            problem.empty() ? "" : "warning: 8/" + name + ": cannot be used on Windows: its name ";
        EXPECT_EQ(problem.empty() ? found : found.substr(0, prefix.size() + problem.size()), prefix + problem);
    }
}

// Only a file system that tells letter case apart can hold such sets.
TEST_F(LibraryCheck, SetsDifferingOnlyInLetterCaseAreToldOnce) {
    const Game game;
    for (const char* copy : {"GOLD", "gold"})
        fs::copy(game.library() / "3/Gold", game.library() / "3" / copy, fs::copy_options::recursive);
    const CheckResult result = checkLibrary(*host, game.configBase());
    ASSERT_EQ(result.findings.size(), 1u);
    const Finding& finding = result.findings[0];
    EXPECT_EQ(finding.severity, Severity::Warning);
    ASSERT_TRUE(finding.place.starts_with("3/"));
    // Named at the first in listing order; the text names the two others.
    std::vector<std::string> others;
    for (const char* name : {"Gold", "GOLD", "gold"})
        if (finding.place != std::string("3/") + name) others.push_back(name);
    ASSERT_EQ(others.size(), 2u) << finding.place;
    EXPECT_TRUE(finding.text.starts_with("differs from the sets \"" + others[0] + "\" and \"" + others[1] + "\"") ||
                finding.text.starts_with("differs from the sets \"" + others[1] + "\" and \"" + others[0] + "\""))
        << finding.text;
    EXPECT_NE(finding.text.find("only in letter case"), std::string::npos);
    EXPECT_EQ(result.sets, 15 * kCheckSets.size() + 2);  // each of them checked all the same
}

// A line break in a set name: told once, with the break made visible so that
// the report keeps one line per finding.
TEST_F(LibraryCheck, SetNameHoldingALineBreakIsNamedAsNotOffered) {
    const Game game;
    fs::create_directories(game.library() / "4/Gold\nEvil/weapons-gfx");
    const CheckResult result = checkLibrary(*host, game.configBase());
    ASSERT_EQ(result.findings.size(), 1u);
    EXPECT_EQ(findingLine(result.findings[0])
                  .rfind("warning: " + shown("4/") + "Gold\\x0AEvil: the name holds a line break", 0),
              0u)
        << findingLine(result.findings[0]);
    EXPECT_EQ(result.sets, 15 * kCheckSets.size());
}
#endif

}  // namespace
}  // namespace modsetup::check
