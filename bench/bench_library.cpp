#include "bench_library.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <system_error>

#include "core/platform/case_resolver.h"
#include "core/previews.h"
#include "core/slots.h"
#include "demo_library/demo_library.h"

namespace modsetup::bench {
namespace {

// The selections file picks among the first sixteen sets of a slot (see
// demoSelectionsText); these get all their files.
constexpr std::size_t kFullSets = 16;

fs::path freshRoot(std::size_t setsPerSlot) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path root = fs::temp_directory_path() /
                    ("modsetup-bench-" + std::to_string(setsPerSlot) + "-" + std::to_string(stamp));
    fs::create_directories(root / "mods");
    return root;
}

void fail(const std::string& what) {
    std::fprintf(stderr, "benchmark setup: %s\n", what.c_str());
    std::exit(1);
}

// A set folder whose files are hard links to those of another set.
void linkSet(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::create_directory(to, error);
    for (fs::recursive_directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        const fs::path target = to / it->path().lexically_relative(from);
        if (it->is_directory())
            fs::create_directory(target, error);
        else
            fs::create_hard_link(it->path(), target, error);
    }
    if (error) fail("cannot link " + from.string() + " to " + to.string() + ": " + error.message());
}

}  // namespace

GameFolder::GameFolder(std::size_t setsPerSlot, std::size_t soundBytes, FurtherSets further)
    : root_(freshRoot(setsPerSlot)),
      setsPerSlot_(setsPerSlot),
      system_(makeSystemHost()),
      host_(*system_, root_.string() + "\\modsetup.exe") {
    demo::DemoOptions options;
    options.soundBytes = soundBytes;
    options.setsPerSlot = std::min(setsPerSlot, kFullSets);
    if (!demo::writeDemoLibrary(library(), options)) fail("cannot write the demo library in " + library().string());

    // The rest of the sets, with the names the demo would give them.
    options.setsPerSlot = setsPerSlot;
    for (std::size_t slot = 0; slot <= kTeamAlpha; ++slot) {
        const fs::path slotFolder = library() / std::string(kSlots[slot].folder);
        const std::vector<std::string> names = demo::demoSetNames(slot, options);
        for (std::size_t i = kFullSets; i < names.size(); ++i) {
            if (further == FurtherSets::Linked)
                linkSet(slotFolder / names[i % kFullSets], slotFolder / names[i]);
            else
                fs::create_directory(slotFolder / names[i]);
        }
    }

    std::ofstream selections(root_ / "modsetup.ini", std::ios::binary | std::ios::trunc);
    selections << demo::demoSelectionsText(options);
    selections.close();
    if (!selections) fail("cannot write the selections file");

    LineFile handle(host_);
    strings_.configBase = deriveConfigBase(host_.programPath());
    readModIni(handle, strings_);
    texts_ = readSelections(handle, strings_.configBase).texts;
}

GameFolder::~GameFolder() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::vector<fs::path> GameFolder::slotFolders() const {
    std::set<std::string_view> folders;
    std::vector<fs::path> paths;
    for (const SlotInfo& slot : kSlots)
        if (folders.insert(slot.folder).second) paths.push_back(library() / std::string(slot.folder));
    return paths;
}

std::map<int, fs::path> GameFolder::previewFiles() {
    std::map<int, fs::path> files;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        for (const PreviewPicture& picture : slotPreviews(slot)) {
            const auto path = resolveHostPath(previewPath(strings_.configBase, slot, texts_[slot], picture.suffix));
            if (!path || !fs::is_regular_file(*path)) fail("a chosen set lacks a preview picture");
            files[picture.image] = *path;
        }
    }
    return files;
}

GameFolder& gameFolder(std::size_t setsPerSlot, FurtherSets further) {
    static std::map<std::pair<std::size_t, FurtherSets>, std::unique_ptr<GameFolder>> folders;
    auto& folder = folders[{setsPerSlot, further}];
    if (!folder) folder = std::make_unique<GameFolder>(setsPerSlot, kSoundBytes, further);
    return *folder;
}

}  // namespace modsetup::bench
