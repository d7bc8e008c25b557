#include "check/archive_check.h"

#include <algorithm>
#include <cstring>

#include "check/messages.h"
#include "check/set_check.h"
#include "core/base/ascii_case.h"
#include "core/game/slots.h"

namespace modsetup::check {
namespace {

// Where a planned set is said to lie while it is checked: no path of the
// system's, so that nothing on disk can answer for it.
constexpr std::string_view kArchiveRoot = "<archive>";

class LinesFile final : public InputFile {
public:
    explicit LinesFile(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t count = std::min(size, bytes_.size() - offset_);
        std::memcpy(buffer, bytes_.data() + offset_, count);
        offset_ += count;
        return count;
    }
    std::uint64_t size() const override { return bytes_.size(); }

private:
    std::string bytes_;
    std::size_t offset_ = 0;
};

// The planned set as the set folder of its slot, read only: its files, the
// folders they lie in, and the lines of its line files.
class PlannedSetHost final : public Host {
public:
    PlannedSetHost(const PlannedSet& set, std::size_t slot)
        : set_(set), folder_(lowerAscii(setFolderPath(kArchiveRoot, slot, set.name))) {}

    const PlannedFile* file(const std::string& path) const {
        const std::string key = lowerAscii(path);
        if (!key.starts_with(folder_ + "\\")) return nullptr;
        const std::string suffix = key.substr(folder_.size());
        for (const PlannedFile& file : set_.files)
            if (lowerAscii(file.suffix) == suffix) return &file;
        return nullptr;
    }

    std::string programPath() override { return {}; }
    std::string workingDirectory() override { return {}; }
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override {
        const PlannedFile* found = file(path);
        if (found == nullptr) return pathKind(path) == PathKind::Directory ? Cause::Unreadable : Cause::Missing;
        std::string bytes;
        for (const std::string& line : found->lines) (bytes += line) += '\n';
        return std::unique_ptr<InputFile>(std::make_unique<LinesFile>(std::move(bytes)));
    }
    Result<std::unique_ptr<NewFile>> createNew(const std::string&, const InputFile*) override {
        return Cause::AccessDenied;
    }
    Status moveOver(const std::string&, const std::string&, bool) override { return Cause::AccessDenied; }
    Status deleteFile(const std::string&) override { return Cause::AccessDenied; }
    Status createDirectory(const std::string&) override { return Cause::AccessDenied; }
    Status removeDirectory(const std::string&) override { return Cause::AccessDenied; }
    Status createLink(const std::string&, const std::string&) override { return Cause::AccessDenied; }
    Status moveFolder(const std::string&, const std::string&) override { return Cause::AccessDenied; }
    Status moveToTrash(const std::string&) override { return Cause::AccessDenied; }
    Result<std::unique_ptr<HeldFile>> holdFile(const std::string&) override { return Cause::AccessDenied; }
    PathKind pathKind(const std::string& path) override {
        if (file(path) != nullptr) return PathKind::File;
        return children(path).empty() && lowerAscii(path) != folder_ ? PathKind::Missing : PathKind::Directory;
    }
    NodeKind nodeKind(const std::string& path) override {
        switch (pathKind(path)) {
        case PathKind::File: return NodeKind::File;
        case PathKind::Directory: return NodeKind::Directory;
        default: return NodeKind::Missing;
        }
    }
    std::optional<std::string> nameOnDisk(const std::string& path) override {
        if (pathKind(path) == PathKind::Missing) return std::nullopt;
        return path.substr(path.rfind('\\') + 1);
    }
    Host& usersOwnPaths() override { return *this; }
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override {
        std::vector<FolderEntry> entries;
        for (const auto& [name, isFolder] : children(folder)) {
            FolderEntry entry{name, isFolder};
            entry.node = isFolder ? NodeKind::Directory : NodeKind::File;
            entries.push_back(std::move(entry));
        }
        if (entries.empty() && lowerAscii(folder) != folder_) return Cause::Missing;
        return entries;
    }
    std::unique_ptr<Confinement> confine(const std::string&) override { return nullptr; }
    Status shellOpen(const std::string&, WindowHandle) override { return Cause::AccessDenied; }

private:
    // The names straight below a folder of the set, each once, and whether each is a folder.
    std::vector<std::pair<std::string, bool>> children(const std::string& folder) const {
        std::vector<std::pair<std::string, bool>> names;
        const std::string key = lowerAscii(folder);
        if (key != folder_ && !key.starts_with(folder_ + "\\")) return names;
        const std::string below = key.substr(folder_.size()) + "\\";
        for (const PlannedFile& file : set_.files) {
            if (!lowerAscii(file.suffix).starts_with(below)) continue;
            const std::string rest = file.suffix.substr(below.size());
            const std::size_t cut = rest.find('\\');
            std::pair<std::string, bool> child{rest.substr(0, cut), cut != std::string::npos};
            if (std::none_of(names.begin(), names.end(),
                             [&](const auto& known) { return equalsIgnoringCase(known.first, child.first); }))
                names.push_back(std::move(child));
        }
        return names;
    }

    const PlannedSet& set_;
    std::string folder_;  // folded
};

}  // namespace

std::vector<Finding> checkPlannedSet(const PlannedSet& set, std::size_t slot) {
    PlannedSetHost host(set, slot);
    const auto pictures = [&](const std::string& path) {
        PictureLoad load;
        const PlannedFile* file = host.file(path);
        if (file == nullptr) load.openFailure = Failure{Cause::Missing, {}};
        else if (file->fault) load.fault = file->fault;
        else load.picture = Picture{};
        return load;
    };
    CheckResult result;
    SetCheck(host, std::string(kArchiveRoot), pictures).run(slot, set.name, result);
    return result.findings;
}

std::size_t ArchiveCheck::count(Severity severity) const {
    std::size_t counted = 0;
    for (const auto& set : findings)
        counted += static_cast<std::size_t>(
            std::count_if(set.begin(), set.end(), [&](const Finding& f) { return f.severity == severity; }));
    return counted;
}

ArchiveCheck checkArchive(Host& host, const std::string& archivePath, const std::string& configBase,
                          const ScanOptions& options) {
    ArchiveCheck check;
    check.plan = planImport(host, configBase, archivePath, options);
    for (const PlannedSet& set : check.plan.sets)
        check.findings.push_back(checkPlannedSet(set, set.slotChoices.front().slot));
    return check;
}

void writeArchiveReport(std::ostream& out, const std::string& archivePath, const ArchiveCheck& check, bool quiet) {
    const ImportPlan& plan = check.plan;
    const char* indent = quiet ? "" : "  ";
    if (!quiet) out << archiveHeading(archivePath, plan.layout, plan.found) << '\n';
    for (std::size_t i = 0; i < plan.sets.size(); ++i) {
        if (!quiet) out << plannedSetHeading(plan.sets[i]) << '\n';
        for (const Finding& finding : check.findings[i]) out << indent << findingLine(finding) << '\n';
    }
    if (!quiet)
        for (const std::string& entry : plan.notInstalled) out << notInstalledLine(entry) << '\n';
    for (const ImportRefusal& refusal : plan.refusals) out << refusalLine(refusal, archivePath) << '\n';
    out << archiveSummaryText(check) << '\n';
}

}  // namespace modsetup::check
