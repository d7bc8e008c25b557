#pragma once
// The scratch game folders the benchmarks run in: "mods", the program file's
// place modsetup.exe, the generated set library modsetup/ and the selections
// file modsetup.ini beside it, made once per process and removed at its end.

#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/io/forwarding_host.h"
#include "core/library/config.h"

namespace modsetup::bench {

namespace fs = std::filesystem;

// The system host, running as a program file inside a game folder.
class ProgramHost : public ForwardingHost {
public:
    ProgramHost(Host& inner, std::string program) : ForwardingHost(inner), program_(std::move(program)) {}
    std::string programPath() override { return program_; }

private:
    std::string program_;
};

// The game folder's host, reading chosen files from the benchmark's own and,
// when pictures is given, every picture from that one file. It writes
// nothing, so that no flush to disk blurs the figures.
class RedirectingHost : public ForwardingHost {
public:
    RedirectingHost(Host& inner, std::map<std::string, fs::path> files, fs::path pictures = {})
        : ForwardingHost(inner), files_(std::move(files)), pictures_(std::move(pictures)) {}

    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override {
        if (auto file = files_.find(path); file != files_.end()) return inner_.openRead(file->second.string());
        if (!pictures_.empty() && path.ends_with(".bmp")) return inner_.openRead(pictures_.string());
        return inner_.openRead(path);
    }
    Result<std::unique_ptr<NewFile>> createNew(const std::string&, const InputFile*) override { return Cause::Failed; }
    // Its own reads are the library's: no confinement stands in front of them.
    std::unique_ptr<Confinement> confine(const std::string&) override { return std::make_unique<Reads>(*this); }

private:
    class Reads final : public Confinement {
    public:
        explicit Reads(Host& host) : host_(host) {}
        Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override { return host_.openRead(path); }
        PathKind pathKind(const std::string& path) override { return host_.pathKind(path); }
        Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override {
            return host_.listFolder(folder);
        }

    private:
        Host& host_;
    };

    std::map<std::string, fs::path> files_;
    fs::path pictures_;
};

// What the sets past the first sixteen of a slot folder hold.
enum class FurtherSets {
    Empty,   // nothing: all the catalogue scan looks at
    Linked,  // the files of one of the first sixteen, as hard links
};

class GameFolder {
public:
    // A game folder whose library holds setsPerSlot sets in each slot folder.
    // The first sixteen, among which the selections file chooses, get their
    // files (pictures of their demo size, sounds of soundBytes); the others
    // hold what further says. Linked sets make a library of thousands of
    // complete sets in little time and space: each is a set of its own to
    // every reader, and the file contents of sixteen sets stay in the cache.
    GameFolder(std::size_t setsPerSlot, std::size_t soundBytes, FurtherSets further = FurtherSets::Empty);
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const fs::path& root() const { return root_; }
    fs::path library() const { return root_ / "modsetup"; }
    std::string configBase() const { return root_.string() + "\\modsetup"; }
    std::size_t setsPerSlot() const { return setsPerSlot_; }

    Host& host() { return host_; }
    // ModTitle, ModName and ConfigBase, and the sixteen chosen set names, as
    // the load sequence reads them.
    const ProcessStrings& strings() const { return strings_; }
    const SlotTexts& texts() const { return texts_; }

    // The host paths of the fifteen slot folders.
    std::vector<fs::path> slotFolders() const;
    // The host paths of the 41 preview files of the chosen sets, by the
    // number n of the picture Image<n> that shows each.
    std::map<int, fs::path> previewFiles();

private:
    fs::path root_;
    std::size_t setsPerSlot_;
    std::unique_ptr<Host> system_;
    ProgramHost host_;
    ProcessStrings strings_;
    SlotTexts texts_;
};

// One game folder per library size and kind, made on first use and kept for the run.
GameFolder& gameFolder(std::size_t setsPerSlot, FurtherSets further = FurtherSets::Empty);

// The demo library of three sets per slot folder with every picture a hard
// link to one plain 32-bit bitmap of 8192 x 8192 pixels (256 MiB, the largest
// a set may hold) in the game folder: 256 MiB of disk for all of them.
GameFolder& fullSizePicturesFolder();

// The sound size of the libraries, about that of a short game sound.
inline constexpr std::size_t kSoundBytes = 100 * 1024;

}  // namespace modsetup::bench
