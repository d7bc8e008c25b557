// Adding sets from archives, on a set library held in memory: hostile
// archives are refused with the library left as it was, the layouts packs use
// are recognised, and a failure or a kill at any step leaves the library as
// it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "archive_builder.h"
#include "bmp_builder.h"
#include "core/game/slots.h"
#include "core/import/import_run.h"
#include "core/io/forwarding_host.h"
#include "core/library/staging.h"
#include "memory_host.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::ArchiveFormat;
using testing::ArchiveItem;
using testing::makeArchive;
using testing::MemoryHost;

const std::string kLibrary = "C:\\game\\modsetup";
const std::string kArchive = "C:\\downloads\\pack.zip";

// A set of primary slot 1 below folder: a picture the window shows and its
// name file. (The host in memory lists names in lower case.)
std::vector<ArchiveItem> goldSet(const std::string& folder) {
    return {{ArchiveItem::File, folder + "weapons-gfx/deserteagle.bmp", testing::bitmap24(2, 1, {0x102030, 0x405060})},
            {ArchiveItem::File, folder + "name.txt", "Gold Eagle\r\n"}};
}

std::vector<ArchiveItem> operator+(std::vector<ArchiveItem> a, const std::vector<ArchiveItem>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class ArchiveImport : public ::testing::Test {
protected:
    void SetUp() override {
        host.makeFolder(kLibrary + "\\1\\Old");
        host.write(kLibrary + "\\1\\Gold\\name.txt", "Old Gold\r\n");
        host.makeFolder("C:\\downloads");
    }
    ImportPlan plan(const std::string& archive) {
        host.write(kArchive, archive);
        return planImport(host, kLibrary, kArchive);
    }
    std::vector<SetDecision> addAll(const ImportPlan& plan, SetAction action = SetAction::Add) {
        std::vector<SetDecision> decisions;
        for (const PlannedSet& set : plan.sets)
            decisions.push_back({action, set.slotChoices.front().slot, set.name + " 2"});
        return decisions;
    }
    MemoryHost host;
};

// The archiver of the tests writes a name's backslashes as slashes on Windows.
#ifdef _WIN32
constexpr std::string_view kDevicePath = "//?/C:/x.bmp";
#else
constexpr std::string_view kDevicePath = "\\\\?\\C:\\x.bmp";
#endif

struct HostileRow {
    const char* what;
    std::string archive;
    Refusal refusal;
    std::string entry;
};

// Each hostile archive holds the Silver set besides what makes it hostile:
// its plan is refused, and an import of the clean archive's plan meeting it
// in the archive's place refuses it too, adding nothing.
TEST_F(ArchiveImport, HostileArchivesAreRefusedAndTheLibraryStaysAsItWas) {
    const auto silver = goldSet("Silver/");
    const std::string zip = makeArchive(ArchiveFormat::ZipStored, silver);
    std::string damaged = zip;
    damaged[damaged.find("BM") + 40] ^= 1;  // a pixel of the stored bitmap
    std::vector<ArchiveItem> many = silver;
    for (int i = 0; i < 10'000; ++i) many.push_back({ArchiveItem::Folder, "Silver/f" + std::to_string(i) + "/", {}});
    const HostileRow rows[] = {
        {"a symbolic link",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::SymbolicLink, "Silver/sfx", "/etc"}}),
         Refusal::NotFileOrFolder, "Silver/sfx"},
        {"a parent step",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/../../x.bmp", "x"}}),
         Refusal::NameParentStep, "Silver/../../x.bmp"},
        {"an absolute name",
         makeArchive(ArchiveFormat::SevenZip,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "/etc/x.bmp", "x"}}),
         Refusal::NameAbsolute, "/etc/x.bmp"},
        {"a drive",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "C:/x.bmp", "x"}}),
         Refusal::NameDrive, "C:/x.bmp"},
        {"the \\\\?\\ form",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "\\\\?\\C:\\x.bmp", "x"}}),
         Refusal::NameDrive, std::string(kDevicePath)},
        {"a control character",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/a\x1b[2J.bmp", "x"}}),
         Refusal::NameControl, "Silver/a\x1b[2J.bmp"},
        {"a forbidden character",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/a|b.bmp", "x"}}),
         Refusal::NameForbidden, "Silver/a|b.bmp"},
        {"a trailing dot",
         makeArchive(ArchiveFormat::SevenZip,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver./x.bmp", "x"}}),
         Refusal::NameTrailing, "Silver./x.bmp"},
        {"a trailing blank",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/x.bmp ", "x"}}),
         Refusal::NameTrailing, "Silver/x.bmp "},
        {"a device name",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/nul .txt", "x"}}),
         Refusal::NameDevice, "Silver/nul .txt"},
        {"a device with a superscript",
         makeArchive(ArchiveFormat::SevenZip,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/COM\xC2\xB9.bmp", "x"}}),
         Refusal::NameDevice, "Silver/COM\xC2\xB9.bmp"},
        {"the console's input",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::Folder, "CONIN$/", ""}}),
         Refusal::NameDevice, "CONIN$/"},
        {"a part of 256 bytes",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/" + std::string(256, 'a'), "x"}}),
         Refusal::NamePartTooLong, "Silver/" + std::string(256, 'a')},
        {"one file in two letter cases",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "SILVER/NAME.TXT", "x"}}),
         Refusal::SameName, "SILVER/NAME.TXT"},
        {"a file where a folder is",
         makeArchive(ArchiveFormat::SevenZip,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "silver/Weapons-GFX", "x"}}),
         Refusal::SameName, "silver/Weapons-GFX"},
        {"an encrypted entry", makeArchive(ArchiveFormat::ZipEncrypted, silver), Refusal::Encrypted,
         "Silver/weapons-gfx/deserteagle.bmp"},
        {"Deflate64", testing::withZipMethod(zip, 9), Refusal::Deflate64, "Silver/weapons-gfx/deserteagle.bmp"},
        {"an unknown method", testing::withZipMethod(zip, 93), Refusal::UnknownMethod,
         "Silver/weapons-gfx/deserteagle.bmp"},
        {"an archive inside",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/more.7z", "x"}}),
         Refusal::NestedArchive, "Silver/more.7z"},
        {"a program",
         makeArchive(ArchiveFormat::SevenZip,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/setup.EXE", "MZ"}}),
         Refusal::Executable, "Silver/setup.EXE"},
        {"a script",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "go.bat", "del *"}}),
         Refusal::Executable, "go.bat"},
        {"a file no set uses",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/readme.txt", "x"}}),
         Refusal::Unused, "Silver/readme.txt"},
        {"10,001 entries", makeArchive(ArchiveFormat::ZipStored, many), Refusal::TooManyEntries, ""},
        {"a hundredfold size",
         makeArchive(ArchiveFormat::ZipDeflated,
                     silver + std::vector<ArchiveItem>{{ArchiveItem::File, "Silver/weapons-gfx/deserteagle-2.bmp",
                                                        std::string(4 << 20, '\0')}}),
         Refusal::TooCompressed, ""},
        {"names differing between headers",
         testing::withLocalName(zip, "Silver/weapons-gfx/deserteagle.bmp", "Silver/weapons-gfx/deserteagle.exe"),
         Refusal::NamesDisagree, "Silver/weapons-gfx/deserteagle.bmp"},
        {"entries sharing bytes",
         testing::withSharedBytes(makeArchive(ArchiveFormat::ZipStored, {goldSet("Silver/").front()}),
                                  "Silver/weapons-gfx/deserteagle.BMP"),
         Refusal::Overlapping, "Silver/weapons-gfx/deserteagle.bmp"},
        {"a wrong checksum", damaged, Refusal::Undecodable, "Silver/weapons-gfx/deserteagle.bmp"},
    };
    const ImportPlan clean = plan(zip);
    ASSERT_TRUE(clean.canAdd());
    const auto before = host.filesBelow(kLibrary);
    for (const HostileRow& row : rows) {
        SCOPED_TRACE(row.what);
        const ImportPlan hostile = plan(row.archive);
        ASSERT_FALSE(hostile.refusals.empty());
        EXPECT_EQ(hostile.refusals.front().cause, row.refusal);
        EXPECT_EQ(hostile.refusals.front().entry, row.entry);

        const ImportOutcome outcome = runImport(host, kLibrary, kArchive, clean, addAll(clean));
        EXPECT_FALSE(outcome.added);
        EXPECT_EQ(host.filesBelow(kLibrary), before);
        EXPECT_EQ(host.listFolder(kLibrary).value().size(), 1u);  // no staging folder stays
    }
}

struct LayoutRow {
    const char* what;
    std::vector<ArchiveItem> items;
    ArchiveLayout layout;
    std::vector<std::string> sets;  // each "slot numbers: name"
    std::vector<std::string> notInstalled;
};

TEST_F(ArchiveImport, LayoutsOfPacksAreRecognised) {
    const std::vector<ArchiveItem> knife{
        {ArchiveItem::File, "Blade/weapons-gfx/knife.bmp", testing::bitmap24(1, 1, {0})}};
    const std::vector<ArchiveItem> statsOnly{{ArchiveItem::File, "Plain/stats.ini", "1\r\n"}};
    const LayoutRow rows[] = {
        {"slot folders",
         goldSet("1/Gold/") + std::vector<ArchiveItem>{{ArchiveItem::File, "2/Gold/name.txt", "x"},
                                                       {ArchiveItem::File, "mod.ini", "T\r\nM\r\n"}},
         ArchiveLayout::Library,
         {"1: Gold", "2: Gold"},
         {"mod.ini"}},
        {"slot folders in a wrapper",
         goldSet("modsetup/1/Gold/") + std::vector<ArchiveItem>{{ArchiveItem::File, "modsetup.ini", "x"},
                                                                {ArchiveItem::File, "modsetup/mod.ini", "T"}},
         ArchiveLayout::Library,
         {"1: Gold"},
         {"modsetup/mod.ini", "modsetup.ini"}},
        {"a single set", goldSet("Gold/"), ArchiveLayout::SingleSet, {"1: Gold"}, {}},
        {"several sets", goldSet("Gold/") + knife, ArchiveLayout::SeveralSets, {"1: Gold", "12: Blade"}, {}},
        {"several sets in a wrapper",
         goldSet("Pack/Gold/") + goldSet("Pack/Amber/"),
         ArchiveLayout::SeveralSets,
         {"1: Gold", "1: Amber"},
         {}},
        {"a set's files at the top", goldSet(""), ArchiveLayout::SingleSet, {"1: pack"}, {}},
        {"a set every weapon slot fits",
         statsOnly,
         ArchiveLayout::SingleSet,
         {"1 2 3 4 5 6 7 8 9 10 11 12 13 14: Plain"},
         {}},
        {"nothing a set holds", {{ArchiveItem::File, "docs/readme.txt", "x"}}, ArchiveLayout::None, {}, {}},
    };
    for (const LayoutRow& row : rows) {
        SCOPED_TRACE(row.what);
        const ImportPlan planned = plan(makeArchive(ArchiveFormat::ZipDeflated, row.items));
        EXPECT_EQ(planned.layout, row.layout);
        std::vector<std::string> sets;
        for (const PlannedSet& set : planned.sets) {
            std::string slots;
            for (const SlotChoice& choice : set.slotChoices) {
                if (!slots.empty()) slots += ' ';
                slots += std::to_string(choice.slot + 1);
            }
            sets.push_back(slots + ": " + set.name);
        }
        EXPECT_EQ(sets, row.sets);
        EXPECT_EQ(planned.notInstalled, row.notInstalled);
        EXPECT_EQ(planned.canAdd(), row.layout != ArchiveLayout::None)
            << (planned.refusals.empty() ? "" : planned.refusals.front().entry);
    }
}

TEST_F(ArchiveImport, PlanTellsWhatTheCheckNeedsAndWhichNamesAreTaken) {
    const ImportPlan planned =
        plan(makeArchive(ArchiveFormat::SevenZip,
                         goldSet("1/Gold/") + std::vector<ArchiveItem>{{ArchiveItem::File, "1/Gold/1.bmp", "BMnot"}}));
    ASSERT_EQ(planned.sets.size(), 1u);
    const PlannedSet& set = planned.sets.front();
    EXPECT_TRUE(set.slotChoices.front().nameTaken);
    EXPECT_EQ(set.slotChoices.front().freeName, "Gold (2)");
    ASSERT_EQ(set.files.size(), 3u);
    EXPECT_EQ(set.files[0].suffix, "\\weapons-gfx\\deserteagle.bmp");
    EXPECT_FALSE(set.files[0].fault.has_value());
    EXPECT_EQ(set.files[1].lines, std::vector<std::string>{"Gold Eagle"});
    EXPECT_EQ(set.files[2].fault, BitmapFault::NotABitmap);
    EXPECT_EQ(set.bytes, set.files[0].size + 12 + 5);
}

struct DecisionRow {
    const char* what;
    SetAction action;
    std::map<std::string, std::string> library;  // below the slot folder "1": path and bytes
    std::vector<std::string> trashed;
};

TEST_F(ArchiveImport, ChoicesForATakenNameReplaceKeepBothOrSkip) {
    const DecisionRow rows[] = {
        {"replace",
         SetAction::Replace,
         {{"gold/name.txt", "Gold Eagle\r\n"},
          {"gold/weapons-gfx/deserteagle.bmp", testing::bitmap24(2, 1, {0x102030, 0x405060})}},
         {"Gold"}},
        {"keep both",
         SetAction::KeepBoth,
         {{"gold/name.txt", "Old Gold\r\n"},
          {"gold 2/name.txt", "Gold Eagle\r\n"},
          {"gold 2/weapons-gfx/deserteagle.bmp", testing::bitmap24(2, 1, {0x102030, 0x405060})}},
         {}},
        {"skip", SetAction::Skip, {{"gold/name.txt", "Old Gold\r\n"}}, {}},
    };
    for (const DecisionRow& row : rows) {
        SCOPED_TRACE(row.what);
        host.remove(kLibrary + "\\1\\Gold");
        host.remove(kLibrary + "\\1\\Gold 2");
        host.write(kLibrary + "\\1\\Gold\\name.txt", "Old Gold\r\n");
        host.trashed.clear();
        const ImportPlan planned = plan(makeArchive(ArchiveFormat::ZipDeflated, goldSet("Gold/")));
        const ImportOutcome outcome = runImport(host, kLibrary, kArchive, planned, addAll(planned, row.action));
        EXPECT_TRUE(outcome.added);
        EXPECT_EQ(host.filesBelow(kLibrary + "\\1"), row.library);
        std::vector<std::string> trashed;
        for (const auto& item : host.trashed) trashed.push_back(item.name);
        EXPECT_EQ(trashed, row.trashed);
    }
}

// Fails one operation of the host, or stands for a kill: from that operation
// on nothing the host is asked changes anything.
class FailingHost final : public ForwardingHost {
public:
    FailingHost(Host& inner, std::string operation, int at, bool kill)
        : ForwardingHost(inner), operation_(std::move(operation)), at_(at), kill_(kill) {}
    Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* copyOf) override {
        if (fails("createNew")) return Cause::Failed;
        return inner_.createNew(path, copyOf);
    }
    Status moveFolder(const std::string& from, const std::string& to) override {
        if (fails("moveFolder")) return Cause::Failed;
        return inner_.moveFolder(from, to);
    }
    Status moveToTrash(const std::string& path) override {
        if (fails("moveToTrash")) return Cause::Failed;
        return inner_.moveToTrash(path);
    }
    Status deleteFile(const std::string& path) override {
        if (fails("deleteFile")) return Cause::Failed;
        return inner_.deleteFile(path);
    }
    Status removeDirectory(const std::string& path) override {
        if (fails("removeDirectory")) return Cause::Failed;
        return inner_.removeDirectory(path);
    }

private:
    bool fails(const std::string& operation) {
        if (dead_) return true;
        if (operation != operation_ || at_ <= 0 || --at_ > 0) return false;
        dead_ = kill_;
        return true;
    }
    std::string operation_;
    int at_;
    bool kill_;
    bool dead_ = false;
};

struct FailureRow {
    const char* what;
    const char* operation;
    int at;
    bool kill;
};

TEST_F(ArchiveImport, AFailureOrAKillAtAnyStepLeavesTheLibraryAsItWas) {
    const FailureRow rows[] = {
        {"a file cannot be written (a full disk)", "createNew", 3, false},
        {"a set cannot be gathered beneath the staging folder", "moveFolder", 1, false},
        {"the replaced set cannot be set aside", "moveFolder", 3, false},
        {"the second set cannot be moved in", "moveFolder", 5, false},
        {"killed while writing", "createNew", 2, true},
        {"killed with the replaced set aside", "moveFolder", 4, true},
        {"killed with one set in place", "moveFolder", 5, true},
    };
    const std::string archive = makeArchive(ArchiveFormat::ZipDeflated, goldSet("1/Gold/") + goldSet("1/Amber/"));
    const auto before = host.filesBelow(kLibrary);
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.what);
        const ImportPlan planned = plan(archive);
        ASSERT_TRUE(planned.canAdd());
        {
            FailingHost failing(host, row.operation, row.at, row.kill);
            const ImportOutcome outcome =
                runImport(failing, kLibrary, kArchive, planned, addAll(planned, SetAction::Replace));
            EXPECT_FALSE(outcome.added);
        }
        // The next start puts back what a kill left.
        removeImportLeftovers(host, kLibrary);
        EXPECT_EQ(host.filesBelow(kLibrary), before);
        EXPECT_EQ(host.listFolder(kLibrary).value().size(), 1u);
        EXPECT_TRUE(host.trashed.empty());
    }
}

// Off the window's thread, as the window runs it: progress rises to the
// archive's size, and a cancel during the import leaves the library as it was.
TEST_F(ArchiveImport, RunsOnAThreadOfItsOwnAndStopsWhenCancelled) {
    const ImportPlan planned = plan(makeArchive(ArchiveFormat::ZipDeflated, goldSet("1/Gold/") + goldSet("1/Amber/")));
    const auto before = host.filesBelow(kLibrary);
    std::vector<std::uint64_t> told;
    std::atomic<bool> cancel = false;
    ScanOptions options;
    options.cancel = &cancel;
    options.progress = [&](std::uint64_t done, std::uint64_t total) {
        told.push_back(done);
        EXPECT_EQ(total, planned.archiveBytes);
        cancel = told.size() == 3;  // after the second entry's header
    };
    ImportOutcome outcome;
    std::thread([&] {
        outcome = runImport(host, kLibrary, kArchive, planned, addAll(planned, SetAction::Replace), options);
    }).join();
    EXPECT_EQ(outcome.failedAt, ImportStep::Cancelled);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(host.filesBelow(kLibrary), before);
    EXPECT_EQ(host.listFolder(kLibrary).value().size(), 1u);
}

TEST_F(ArchiveImport, AReplacedSetTheTrashRefusesStaysUnderANewName) {
    host.trashRefusal = "no trash here";
    const ImportPlan planned = plan(makeArchive(ArchiveFormat::ZipDeflated, goldSet("1/Gold/")));
    const ImportOutcome outcome = runImport(host, kLibrary, kArchive, planned, addAll(planned, SetAction::Replace));
    EXPECT_TRUE(outcome.added);
    ASSERT_EQ(outcome.kept.size(), 1u);
    EXPECT_EQ(outcome.kept.front().keptAs, "Gold (2)");
    EXPECT_EQ(host.read(kLibrary + "\\1\\Gold (2)\\name.txt"), "Old Gold\r\n");
    EXPECT_EQ(host.read(kLibrary + "\\1\\Gold\\name.txt"), "Gold Eagle\r\n");
}

// The same on the system's file system (natively and under Wine): the set in
// its slot folder, and nothing of the import beside it.
TEST(ArchiveImportOnDisk, AddsTheSetAndLeavesNothingElse) {
    const testing::ScratchDir scratch;
    const auto host = makeSystemHost();
    testing::writeFile(scratch / "pack.7z", makeArchive(ArchiveFormat::SevenZip, goldSet("Gold/")));
    std::filesystem::create_directories(scratch / "modsetup/1/Old");
    const std::string library = scratch.programPath("modsetup");
    const std::string archive = scratch.programPath("pack.7z");
    const ImportPlan planned = planImport(*host, library, archive);
    ASSERT_TRUE(planned.canAdd());
    const ImportOutcome outcome = runImport(*host, library, archive, planned, {{SetAction::Add, kPrimary1, {}}});
    EXPECT_TRUE(outcome.added);
    EXPECT_EQ(testing::readFile(scratch / "modsetup/1/Gold/name.txt"), "Gold Eagle\r\n");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(scratch / "modsetup"))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"1"});
}

// A downloaded pack may hold what only looks like a killed import's
// leftovers: a link of a staging folder's name, links inside a real one, a
// journal naming a path out of the library. None is followed: what lies
// outside stays, and the leftovers go.
TEST(ArchiveImportOnDisk, LeftoversThatLeadOutOfTheLibraryAreNeverFollowed) {
    if (testing::kWindows) GTEST_SKIP() << "Wine makes no symbolic links";
    const testing::ScratchDir scratch;
    const auto host = makeSystemHost();
    std::filesystem::create_directories(scratch / "outside/1/Gold");
    testing::writeFile(scratch / "outside/1/Gold/keep.txt", "kept");
    std::filesystem::create_directories(scratch / "modsetup/1/Gold");
    std::filesystem::create_directory_symlink(scratch / "outside", scratch / "modsetup/import.~1");
    const auto left = scratch / "modsetup/import.~2";
    std::filesystem::create_directories(left / "old");
    std::filesystem::create_directory_symlink(scratch / "outside", left / "old/1");
    std::filesystem::create_directory_symlink(scratch / "outside", left / "new");
    testing::writeFile(left / "placing", "..\\..\\outside\\1\r\n1\\Gold\r\n");
    removeImportLeftovers(*host, scratch.programPath("modsetup"));
    EXPECT_EQ(testing::readFile(scratch / "outside/1/Gold/keep.txt"), "kept");
    EXPECT_TRUE(std::filesystem::is_directory(scratch / "modsetup/1/Gold"));
    EXPECT_TRUE(std::filesystem::is_symlink(scratch / "modsetup/import.~1"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(left)));
}

}  // namespace
}  // namespace modsetup
