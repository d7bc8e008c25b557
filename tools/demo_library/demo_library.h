#pragma once
// Writes a complete demo set library: mod.ini, the fifteen slot folders and a
// few sets in each, with every file the program previews, reads or installs.
// Used by the demo command of the README and by the tests. Pictures are drawn
// on QImage with a built-in pixel font, so no application object is needed.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace modsetup::demo {

struct DemoOptions {
    std::size_t setsPerSlot = 3;
    std::string modTitle = "Demo Mod Setup";
    std::string modName = "DemoMod";
    std::size_t soundBytes = 4000;  // size of each WAV file's sample data
};

// The set names written into a slot folder (slot index 0 .. 15; the two team
// slots share "gostek" and so the same names).
std::vector<std::string> demoSetNames(std::size_t slot, const DemoOptions& options = {});

// Writes the library into the folder `library` (the folder ConfigBase names),
// creating it. False when any file could not be written.
bool writeDemoLibrary(const std::filesystem::path& library, const DemoOptions& options = {});

// A selections file to start the demo with (17 lines, CR LF): a set of
// another theme in each slot, so that the window shows pictures at once, and
// "Use Modified Weapons" ticked.
std::string demoSelectionsText(const DemoOptions& options = {});

}  // namespace modsetup::demo
