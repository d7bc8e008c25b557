// modsetup-check given an archive: the report of what the window would add,
// every refusal named by its entry, and the exit statuses; nothing written.
#include <gtest/gtest.h>

#include <sstream>

#include "archive_builder.h"
#include "bmp_builder.h"
#include "check/check_program.h"
#include "test_support.h"

namespace modsetup::check {
namespace {

using testing::ArchiveFormat;
using testing::ArchiveItem;

// Where the set's picture would lie, with the system's separators, as the report shows it.
#ifdef _WIN32
constexpr std::string_view kPlace = "1\\Gold\\weapons-gfx\\deserteagle.bmp";
#else
constexpr std::string_view kPlace = "1/Gold/weapons-gfx/deserteagle.bmp";
#endif

struct ArchiveRow {
    const char* what;
    std::string archive;
    std::vector<std::string> options;
    int status;
    std::string line;  // a line the report (or for status 2 the error stream) holds
};

TEST(ArchiveCheckProgram, ReportsWhatWouldBeAddedAndRefusedWithItsExitStatus) {
    const std::vector<ArchiveItem> gold{
        {ArchiveItem::File, "Gold/weapons-gfx/deserteagle.bmp", testing::bitmap24(1, 1, {0})},
        {ArchiveItem::File, "Gold/name.txt", "Gold\r\n"}};
    std::vector<ArchiveItem> withReadme = gold;
    withReadme.push_back({ArchiveItem::File, "Gold/readme.txt", "x"});
    const std::vector<ArchiveItem> badPicture{{ArchiveItem::File, "Gold/weapons-gfx/deserteagle.bmp", "BMbad"}};
    const ArchiveRow rows[] = {
        {"a set that can be added",
         makeArchive(ArchiveFormat::SevenZip, gold),
         {},
         0,
         "Set \"Gold\" from \"Gold\" for primary slot 1: 2 files, 64 bytes"},
        {"a file no set uses",
         makeArchive(ArchiveFormat::ZipDeflated, withReadme),
         {},
         1,
         "error: Gold/readme.txt: a file no set uses: nothing in the archive is added"},
        {"the check's finding in a set",
         makeArchive(ArchiveFormat::ZipDeflated, badPicture),
         {},
         0,
         "  warning: " + std::string(kPlace) +
             ": not a bitmap the program can read (not a bitmap file): Apply installs "
             "it as it is"},
        {"the same, strict",
         makeArchive(ArchiveFormat::ZipDeflated, badPicture),
         {"--strict"},
         1,
         "1 set and 1 file checked: 2 errors, 11 warnings; all can be added"},
        {"no archive",
         "not an archive at all",
         {},
         2,
         "modsetup-check: \"pack.zip\" is no archive the program reads (a zip or a 7z archive)"},
    };
    for (const ArchiveRow& row : rows) {
        SCOPED_TRACE(row.what);
        const testing::ScratchDir folder;
        testing::writeFile(folder / "pack.zip", row.archive);
        const testing::WorkingDirectory here(folder.path());
        std::vector<std::string> arguments = row.options;
        arguments.push_back("pack.zip");
        std::ostringstream out, err;
        const auto host = makeSystemHost();
        EXPECT_EQ(runCheckProgram(*host, arguments, out, err, false), row.status);
        std::string report(1, '\n');
        report += out.str();
        report += err.str();
        EXPECT_NE(report.find("\n" + row.line + "\n"), std::string::npos) << report;
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"pack.zip"});
    }
}

}  // namespace
}  // namespace modsetup::check
