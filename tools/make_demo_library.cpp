// make_demo_library <library folder> [sets per slot]
//
// Writes a demo set library into the folder (the folder beside modsetup.exe
// that is named like it less ".exe") and, when none exists yet, a selections
// file beside it that picks a set in every slot. Prints what it wrote.

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "core/game/slots.h"
#include "demo_library/demo_library.h"

namespace {

namespace fs = std::filesystem;
using modsetup::demo::DemoOptions;

int usage() {
    std::fprintf(stderr,
                 "usage: make_demo_library <library folder> [sets per slot]\n"
                 "  Writes a demo set library (default 3 sets per slot) and, when it is\n"
                 "  missing, the selections file <library folder>.ini beside it.\n");
    return 2;
}

bool parseCount(std::string_view text, std::size_t& count) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, count);
    return error == std::errc() && stop == end && count >= 1 && count <= 1000;
}

std::size_t countFiles(const fs::path& folder) {
    std::size_t files = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), last; !error && it != last; it.increment(error)) {
        if (it->is_regular_file()) ++files;
    }
    return files;
}

bool writeText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return !out.fail();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) return usage();
    DemoOptions options;
    if (argc == 3 && !parseCount(argv[2], options.setsPerSlot)) {
        std::fprintf(stderr, "make_demo_library: sets per slot must be a number from 1 to 1000, not \"%s\"\n", argv[2]);
        return usage();
    }
    fs::path library = fs::path(argv[1]).lexically_normal();
    if (!library.has_filename()) library = library.parent_path();  // "demo/modsetup/" names "demo/modsetup"
    if (library.empty()) return usage();

    if (!modsetup::demo::writeDemoLibrary(library, options)) {
        std::fprintf(stderr, "make_demo_library: could not write the set library %s\n", library.string().c_str());
        return 1;
    }
    std::printf("Wrote the demo set library %s\n", library.string().c_str());
    std::printf("  mod.ini: title \"%s\", mod name \"%s\"\n", options.modTitle.c_str(), options.modName.c_str());
    for (std::size_t slot = 0; slot <= modsetup::kTeamAlpha; ++slot) {
        std::string names;
        for (const std::string& name : modsetup::demo::demoSetNames(slot, options)) {
            names += names.empty() ? "" : ", ";
            names += name;
        }
        const std::string folder(modsetup::kSlots[slot].folder);
        std::printf("  %-8s %s\n", (folder + "/").c_str(), names.c_str());
    }
    std::printf("  %zu files in all\n", countFiles(library));

    // The selections file lies beside the library: ConfigBase + ".ini".
    const fs::path selections = library.string() + ".ini";
    if (fs::exists(selections)) {
        std::printf("Kept the existing selections file %s\n", selections.string().c_str());
    } else if (writeText(selections, modsetup::demo::demoSelectionsText(options))) {
        std::printf("Wrote the selections file %s\n", selections.string().c_str());
    } else {
        std::fprintf(stderr, "make_demo_library: could not write the selections file %s\n",
                     selections.string().c_str());
        return 1;
    }
    return 0;
}
