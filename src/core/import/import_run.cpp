#include "core/import/import_run.h"

#include <set>

#include "core/base/ascii_case.h"
#include "core/base/escaping.h"
#include "core/base/temporary_name.h"
#include "core/base/windows_names.h"
#include "core/game/slots.h"
#include "core/io/line_file.h"
#include "core/library/set_files.h"
#include "core/library/staging.h"

namespace modsetup {
namespace {

constexpr std::size_t kMaxNameBytes = 255;

struct Target {
    std::size_t set;
    std::size_t slot;
    std::string name;
    bool replace = false;
    std::string relative() const {
        std::string path(kSlots[slot].folder);
        path += '\\';
        path += name;
        return path;
    }
    // The same with a backslash before it, as a piece to append to a
    // folder. Built by appending: GCC 12 warns (-Wrestrict, a false alarm)
    // on "\\" + relative(), which inserts before a temporary.
    std::string piece() const {
        std::string path(1, '\\');
        path += relative();
        return path;
    }
};

// A name the user gave for a set kept beside another: one folder name any
// system holds.
bool isUsableSetName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxNameBytes && name.find_first_of("\\/") == std::string::npos &&
           std::none_of(name.begin(), name.end(), isControlCharacter) &&
           windowsNameProblem(name).problem == WindowsNameProblem::None;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string path;
    for (const std::string& part : parts) (path += '\\') += part;
    return path;
}

// Makes each folder of relative below base that is not made yet.
Status makeFolders(Host& host, const std::string& base, const std::string& relative, std::set<std::string>& made) {
    for (std::size_t at = relative.find('\\', 1); at != std::string::npos; at = relative.find('\\', at + 1)) {
        const std::string folder = base + relative.substr(0, at);
        if (!made.insert(lowerAscii(folder)).second) continue;
        if (Status created = host.createDirectory(folder); !created.ok() && created.cause() != Cause::Exists)
            return created;
    }
    return done();
}

class Import {
public:
    Import(Host& host, const std::string& configBase, ImportOutcome& outcome)
        : host_(host),
          configBase_(configBase),
          staging_(stagingFolder(configBase, processNumber())),
          outcome_(outcome) {}

    bool decide(const ImportPlan& plan, const std::vector<SetDecision>& decisions);
    bool stage(const std::string& archivePath, const ImportPlan& plan, const ScanOptions& options);
    bool place();
    void finish();
    void abandon() {
        rollBackPlacing(host_, configBase_, staging_);
        held_.reset();
        (void)removeTree(host_, staging_);
    }

private:
    bool fail(ImportStep step, std::string path, Failure failure) {
        outcome_.failedAt = step;
        outcome_.path = std::move(path);
        outcome_.failure = std::move(failure);
        return false;
    }

    Host& host_;
    std::string configBase_;
    std::string staging_;
    ImportOutcome& outcome_;
    std::vector<Target> targets_;
    std::unique_ptr<HeldFile> held_;
};

bool Import::decide(const ImportPlan& plan, const std::vector<SetDecision>& decisions) {
    if (!plan.canAdd() || decisions.size() != plan.sets.size()) {
        outcome_.failedAt = ImportStep::Decisions;
        return false;
    }
    std::set<std::string> names;
    for (std::size_t i = 0; i < decisions.size(); ++i) {
        const SetDecision& decision = decisions[i];
        if (decision.action == SetAction::Skip) continue;
        outcome_.failedSet = i;
        const auto& slots = plan.sets[i].slotChoices;
        if (std::none_of(slots.begin(), slots.end(), [&](const SlotChoice& c) { return c.slot == decision.slot; }))
            return fail(ImportStep::Decisions, {}, {});
        Target target{i, decision.slot, plan.sets[i].name};
        if (decision.action == SetAction::KeepBoth) {
            if (!isUsableSetName(decision.newName)) return fail(ImportStep::Decisions, {}, {});
            target.name = decision.newName;
        }
        const std::string inLibrary = configBase_ + "\\" + target.relative();
        const bool taken = host_.pathKind(inLibrary) != PathKind::Missing;
        if (taken && decision.action != SetAction::Replace)
            return fail(ImportStep::Decisions, inLibrary, Failure{Cause::Exists, {}});
        target.replace = taken;
        if (!names.insert(lowerAscii(target.relative())).second)
            return fail(ImportStep::Decisions, inLibrary, Failure{Cause::Exists, {}});
        targets_.push_back(std::move(target));
    }
    return true;
}

bool Import::stage(const std::string& archivePath, const ImportPlan& plan, const ScanOptions& options) {
    // What a killed earlier import left goes first: its name may be this one's.
    removeImportLeftovers(host_, configBase_);
    if (Status made = host_.createDirectory(staging_); !made.ok())
        return fail(ImportStep::Write, staging_, made.failure());
    auto held = host_.holdFile(staging_ + "\\held");
    if (!held.ok()) return fail(ImportStep::Write, staging_ + "\\held", held.failure());
    held_ = std::move(held.value());
    for (const char* part : {"\\files", "\\new", "\\old"})
        if (Status made = host_.createDirectory(staging_ + part); !made.ok())
            return fail(ImportStep::Write, staging_ + part, made.failure());

    const std::string files = staging_ + "\\files";
    std::set<std::string> made;
    std::vector<char> buffer(64 * 1024);
    const auto write = [&](std::size_t, const ScannedEntry& entry, EntryBytes& bytes) {
        const std::string relative = joined(entry.parts);
        const std::string path = files + relative;
        if (Status folders = makeFolders(host_, files, relative, made); !folders.ok())
            return fail(ImportStep::Write, path, folders.failure());
        auto created = host_.createNew(path, nullptr);
        if (!created.ok()) return fail(ImportStep::Write, path, created.failure());
        NewFile& file = *created.value();
        bool written = true;
        for (std::size_t got; written && (got = bytes.read(buffer.data(), buffer.size())) > 0;)
            written = file.write(buffer.data(), got);
        Status finished = file.finish(false);
        if (!written || !finished.ok())
            return fail(ImportStep::Write, path, finished.ok() ? Failure{} : finished.failure());
        return true;
    };
    ScanOptions reading = options;
    reading.stopAtRefusal = true;
    ArchiveScan scan = scanArchive(host_, archivePath, write, reading);
    if (scan.stoppedByConsumer) return false;
    if (scan.cancelled) return fail(ImportStep::Cancelled, {}, {});
    outcome_.refusals = scan.refusals;
    if (scan.fault != ArchiveFault::None || !scan.refusals.empty())
        return fail(ImportStep::Read, archivePath, scan.failure);

    // The archive judged again as a whole: the sets its plan showed, no file besides.
    const Layout layout = recogniseLayout(scan.entries, archiveStem(archivePath));
    bool same = layout.unused.empty() && layout.sets.size() == plan.sets.size();
    for (std::size_t i = 0; same && i < layout.sets.size(); ++i)
        same = layout.sets[i].name == plan.sets[i].name && layout.sets[i].files.size() == plan.sets[i].files.size();
    if (!same) {
        outcome_.changed = true;
        return fail(ImportStep::Read, archivePath, {});
    }

    // Each set whole beneath new\: its folder as written moves there in one
    // rename (nothing else lies in it: a file no set uses refuses the archive).
    made.clear();
    const std::string ready = staging_ + "\\new";
    for (const Target& target : targets_) {
        const LaidSet& set = layout.sets[target.set];
        const ScannedEntry& first = scan.entries[set.files.front()];
        const std::size_t depth = first.parts.size() - foldersOf(set.suffixes.front()).size() - 1;
        const std::string from =
            files + joined(std::vector<std::string>(first.parts.begin(),
                                                    first.parts.begin() + static_cast<std::ptrdiff_t>(depth)));
        const std::string to = ready + "\\" + target.relative();
        if (Status folders = makeFolders(host_, ready, target.piece(), made); !folders.ok())
            return fail(ImportStep::Write, to, folders.failure());
        if (Status moved = host_.moveFolder(from, to); !moved.ok()) return fail(ImportStep::Write, to, moved.failure());
    }
    return true;
}

bool Import::place() {
    // The journal first: a kill from here on is undone by it at the next start.
    LineFile journal(host_);
    (void)journal.openWrite(staging_ + "\\placing");
    for (const Target& target : targets_) journal.writeLine(target.relative());
    if (const Status& written = journal.close(); !written.ok())
        return fail(ImportStep::Write, staging_ + "\\placing", written.failure());

    std::set<std::string> made;
    for (const Target& target : targets_) {
        if (!target.replace) continue;
        (void)makeFolders(host_, staging_ + "\\old", target.piece(), made);
        const std::string from = configBase_ + "\\" + target.relative();
        if (Status moved = host_.moveFolder(from, staging_ + "\\old\\" + target.relative()); !moved.ok())
            return fail(ImportStep::Place, from, moved.failure());
    }
    for (const Target& target : targets_) {
        const std::string slotFolder = slotFolderPath(configBase_, target.slot);
        if (Status created = host_.createDirectory(slotFolder); !created.ok() && created.cause() != Cause::Exists)
            return fail(ImportStep::Place, slotFolder, created.failure());
        const std::string to = configBase_ + "\\" + target.relative();
        if (Status moved = host_.moveFolder(staging_ + "\\new\\" + target.relative(), to); !moved.ok())
            return fail(ImportStep::Place, to, moved.failure());
    }
    (void)host_.deleteFile(staging_ + "\\placing");
    return true;
}

void Import::finish() {
    bool keep = false;
    for (const Target& target : targets_) {
        outcome_.addedSets.emplace_back(target.slot, target.name);
        if (!target.replace) continue;
        const std::string old = staging_ + "\\old\\" + target.relative();
        Status trashed = host_.moveToTrash(old);
        if (trashed.ok()) continue;
        // Never deleted: the replaced set stays in its slot folder under a new name.
        KeptSet kept{target.slot, target.name,
                     freeSetName(host_, slotFolderPath(configBase_, target.slot), target.name), trashed.failure()};
        if (!host_.moveFolder(old, slotFolderPath(configBase_, target.slot) + "\\" + kept.keptAs).ok()) {
            kept.keptAs = old;
            keep = true;
        }
        outcome_.kept.push_back(std::move(kept));
    }
    held_.reset();
    if (!keep) (void)removeTree(host_, staging_);
    outcome_.added = true;
}

}  // namespace

ImportOutcome runImport(Host& host, const std::string& configBase, const std::string& archivePath,
                        const ImportPlan& plan, const std::vector<SetDecision>& decisions, const ScanOptions& options) {
    ImportOutcome outcome;
    Import import(host, configBase, outcome);
    if (!import.decide(plan, decisions)) return outcome;
    if (!import.stage(archivePath, plan, options) || !import.place()) {
        import.abandon();
        return outcome;
    }
    import.finish();
    return outcome;
}

}  // namespace modsetup
