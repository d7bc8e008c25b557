#include "core/import/import_plan.h"

#include <map>

#include "core/base/ascii_case.h"
#include "core/game/slots.h"
#include "core/game/weapon_sections.h"
#include "core/install/weapon_names.h"
#include "core/install/weapon_stats.h"
#include "core/io/forwarding_host.h"
#include "core/io/line_file.h"

namespace modsetup {
namespace {

// The check decodes no pixel: it wants the bitmap's verdict.
constexpr PictureArea kNoPixels{0, 0};

// The current entry's bytes under any name, so that the program's own line
// reader reads them as it reads a set's file.
class EntryFile final : public InputFile {
public:
    explicit EntryFile(EntryBytes& bytes) : bytes_(bytes) {}
    std::size_t read(char* buffer, std::size_t size) override { return bytes_.read(buffer, size); }
    bool failed() const override { return bytes_.failed(); }
    std::uint64_t size() const override { return bytes_.size(); }

private:
    EntryBytes& bytes_;
};

class EntryHost final : public ForwardingHost {
public:
    EntryHost(Host& inner, EntryBytes& bytes) : ForwardingHost(inner), bytes_(bytes) {}
    Result<std::unique_ptr<InputFile>> openRead(const std::string&) override {
        return std::unique_ptr<InputFile>(std::make_unique<EntryFile>(bytes_));
    }

private:
    EntryBytes& bytes_;
};

std::string lastPart(const ScannedEntry& entry) { return lowerAscii(entry.parts.back()); }

}  // namespace

std::string archiveStem(const std::string& archivePath) {
    std::string name = archivePath.substr(archivePath.find_last_of("\\/") + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

std::string freeSetName(Host& host, const std::string& folder, const std::string& name,
                        const std::vector<std::string>& also) {
    for (int number = 2;; ++number) {
        std::string candidate = name + " (" + std::to_string(number) + ")";
        const bool planned = std::any_of(
            also.begin(), also.end(), [&](const std::string& other) { return equalsIgnoringCase(other, candidate); });
        if (!planned && host.pathKind(folder + "\\" + candidate) == PathKind::Missing) return candidate;
    }
}

ImportPlan planImport(Host& host, const std::string& configBase, const std::string& archivePath,
                      const ScanOptions& options) {
    std::map<std::size_t, PlannedFile> read;  // what the check needs of a file, by entry
    const auto consume = [&](std::size_t index, const ScannedEntry& entry, EntryBytes& bytes) {
        const std::string name = lastPart(entry);
        PlannedFile file;
        if (name.ends_with(".bmp")) {
            file.bitmap = true;
            BitmapFault fault = BitmapFault::NotABitmap;
            if (!decodeBitmap(bytes, kNoPixels, &fault)) file.fault = fault;
        } else if (const bool names = "\\" + name == kNameFile; names || "\\" + name == kStatsFile) {
            EntryHost single(host, bytes);
            LineFile lines(single);
            if (lines.openRead(entry.name).ok())
                for (std::size_t line = 0; line < (names ? 1 : kStatsValueCount) && !lines.readEnded(); ++line)
                    file.lines.push_back(lines.readLine());
            lines.close();
        } else {
            return true;
        }
        read.emplace(index, std::move(file));
        return true;
    };
    ArchiveScan scan = scanArchive(host, archivePath, consume, options);

    ImportPlan plan;
    plan.fault = scan.fault;
    plan.failure = scan.failure;
    plan.cancelled = scan.cancelled;
    plan.archiveBytes = scan.archiveBytes;
    plan.decodedBytes = scan.decodedBytes;
    plan.refusals = std::move(scan.refusals);
    if (plan.fault != ArchiveFault::None || plan.cancelled) return plan;

    const Layout layout = recogniseLayout(scan.entries, archiveStem(archivePath));
    plan.layout = layout.kind;
    plan.found = layout.found;
    for (std::size_t index : layout.notInstalled) plan.notInstalled.push_back(scan.entries[index].name);
    for (std::size_t index : layout.unused) plan.refusals.push_back({Refusal::Unused, scan.entries[index].name, {}});
    if (layout.kind == ArchiveLayout::None) plan.refusals.push_back({Refusal::NoLayout, {}, {}});

    for (const LaidSet& laid : layout.sets) {
        PlannedSet set{laid.name, laid.archiveFolder, {}, laid.slotFromPlace, 0, {}};
        for (std::size_t slot : laid.candidates) {
            const std::string folder = slotFolderPath(configBase, slot);
            SlotChoice choice{slot, host.pathKind(folder + "\\" + laid.name) != PathKind::Missing, {}};
            if (choice.nameTaken) choice.freeName = freeSetName(host, folder, laid.name);
            set.slotChoices.push_back(std::move(choice));
        }
        for (std::size_t k = 0; k < laid.files.size(); ++k) {
            const std::size_t index = laid.files[k];
            PlannedFile file;
            if (const auto known = read.find(index); known != read.end()) file = std::move(known->second);
            file.suffix = laid.suffixes[k];
            file.size = scan.entries[index].size;
            set.bytes += file.size;
            set.files.push_back(std::move(file));
        }
        plan.sets.push_back(std::move(set));
    }
    return plan;
}

}  // namespace modsetup
