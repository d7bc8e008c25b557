#include "bench_library.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <system_error>

#include "core/game/slots.h"
#include "core/library/previews.h"
#include "core/platform/posix/case_resolver.h"
#include "demo_library/demo_library.h"

namespace modsetup::bench {
namespace {

// The selections file picks among the first sixteen sets of a slot (see
// demoSelectionsText); these get all their files.
constexpr std::size_t kFullSets = 16;

fs::path freshRoot(std::size_t setsPerSlot) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path root =
        fs::temp_directory_path() / ("modsetup-bench-" + std::to_string(setsPerSlot) + "-" + std::to_string(stamp));
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
        if (it->is_directory()) fs::create_directory(target, error);
        else fs::create_hard_link(it->path(), target, error);
    }
    if (error) fail("cannot link " + from.string() + " to " + to.string() + ": " + error.message());
}

// A plain 32-bit bitmap of 8192 x 8192 pixels, every row a colour gradient:
// the largest picture a set may hold, 256 MiB.
void writeFullSizeBitmap(const fs::path& path) {
    constexpr std::uint32_t kSide = 8192;
    constexpr std::uint32_t kRowBytes = kSide * 4;
    std::string header;
    auto put = [&header](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) header += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    header += "BM";
    put(54 + kRowBytes * kSide, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(kSide, 4);
    put(kSide, 4);
    put(1, 2);
    put(32, 2);
    for (int i = 0; i < 6; ++i) put(0, 4);
    std::string row(kRowBytes, '\0');
    for (std::uint32_t x = 0; x < kSide; ++x)
        row[x * 4] = static_cast<char>(x), row[x * 4 + 1] = static_cast<char>(x >> 5);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    for (std::uint32_t y = 0; y < kSide; ++y) out.write(row.data(), kRowBytes);
    if (!out) fail("cannot write " + path.string());
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
            if (further == FurtherSets::Linked) linkSet(slotFolder / names[i % kFullSets], slotFolder / names[i]);
            else fs::create_directory(slotFolder / names[i]);
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

GameFolder& fullSizePicturesFolder() {
    static GameFolder& folder = []() -> GameFolder& {
        static GameFolder made(3, kSoundBytes);
        const fs::path bitmap = made.root() / "full-size.bmp";
        writeFullSizeBitmap(bitmap);
        for (const auto& entry : fs::recursive_directory_iterator(made.library())) {
            if (!entry.is_regular_file() || entry.path().extension() != ".bmp") continue;
            fs::remove(entry.path());
            fs::create_hard_link(bitmap, entry.path());
        }
        return made;
    }();
    return folder;
}

}  // namespace modsetup::bench
