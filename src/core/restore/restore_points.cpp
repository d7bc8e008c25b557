#include "core/restore/restore_points.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_set>

#include "core/io/file_writes.h"

namespace modsetup {
namespace {

// The folders of the points in the restore folder: the pending one while an
// Apply runs, the kept ones, and "last" on its way out.
constexpr std::string_view kPending = "\\next";
constexpr std::string_view kLast = "\\last";
constexpr std::string_view kOriginal = "\\original";
constexpr std::string_view kDropped = "\\dropped";

// A point's list of what it recorded, beside the files it stores (named by
// number): a header, the game folder, then two lines per entry, its state
// and its path as Apply writes it.
constexpr std::string_view kManifest = "\\manifest.txt";
constexpr std::string_view kHeader = "modsetup restore point";
// Far more than the 270 entries of an Apply, little enough to read at once.
constexpr std::size_t kMaxManifestBytes = 1 << 20;

enum class State { File, NoFile, Folder, NoFolder };

struct StateWord {
    State state;
    std::string_view word;
};
constexpr StateWord kStateWords[] = {
    {State::File, "file "}, {State::NoFile, "no file"}, {State::Folder, "folder"}, {State::NoFolder, "no folder"}};

struct Entry {
    State state;
    std::string stored;  // the stored file's name in the point's folder (State::File)
    std::string path;
};

struct Point {
    std::string gameFolder;
    std::vector<Entry> entries;
};

std::string manifestText(const Point& point) {
    std::string text = std::string(kHeader) + "\r\n" + point.gameFolder + "\r\n";
    for (const Entry& entry : point.entries) {
        for (const StateWord& word : kStateWords)
            if (word.state == entry.state) text += std::string(word.word) + entry.stored + "\r\n";
        text += entry.path + "\r\n";
    }
    return text;
}

std::optional<Point> readPoint(Host& host, const std::string& folder) {
    const auto bytes = readWholeFile(host, folder + std::string(kManifest), kMaxManifestBytes);
    if (!bytes) return std::nullopt;
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = bytes->find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes->substr(start, end - start));
    if (lines.size() < 2 || lines[0] != kHeader || lines.size() % 2 != 0) return std::nullopt;
    Point point{lines[1], {}};
    for (std::size_t i = 2; i < lines.size(); i += 2) {
        const auto word = std::find_if(std::begin(kStateWords), std::end(kStateWords), [&](const StateWord& w) {
            return w.state == State::File ? lines[i].starts_with(w.word) : lines[i] == w.word;
        });
        if (word == std::end(kStateWords)) return std::nullopt;
        point.entries.push_back({word->state, lines[i].substr(word->word.size()), lines[i + 1]});
    }
    return point;
}

// Deletes a point's folder and what it holds.
void removePoint(Host& host, const std::string& folder) {
    if (const auto entries = host.listFolder(folder); entries.ok())
        for (const FolderEntry& entry : entries.value())
            if (!entry.isDirectory) (void)host.deleteFile(folder + "\\" + entry.name);
    (void)host.removeDirectory(folder);
}

// A file's bytes kept under a second name: a hard link, which costs no copy,
// or a copy where the file system keeps no links.
Status keep(Host& host, const std::string& file, const std::string& kept) {
    if (host.createLink(file, kept).ok()) return done();
    return copyFile(host, file, kept);
}

// Whether what an entry recorded is there as it was: the very file (a hard
// link of it) or one of its bytes, nothing, or a folder.
bool unchanged(Host& host, const std::string& folder, const Entry& entry) {
    const PathKind kind = host.pathKind(entry.path);
    switch (entry.state) {
    case State::NoFile:
    case State::NoFolder: return kind == PathKind::Missing;
    case State::Folder: return kind == PathKind::Directory;
    case State::File: break;
    }
    if (kind != PathKind::File) return false;
    auto kept = host.openRead(folder + "\\" + entry.stored);
    auto now = host.openRead(entry.path);
    if (!kept.ok() || !now.ok()) return false;
    const auto identity = kept.value()->identity();
    if (identity && identity == now.value()->identity()) return true;
    if (kept.value()->size() != now.value()->size()) return false;
    char a[1 << 15];
    char b[1 << 15];
    for (;;) {
        const std::size_t got = kept.value()->read(a, sizeof a);
        if (got == 0) return now.value()->read(b, 1) == 0;
        std::size_t had = 0;
        while (had < got) {
            const std::size_t more = now.value()->read(b + had, got - had);
            if (more == 0) return false;
            had += more;
        }
        if (std::memcmp(a, b, got) != 0) return false;
    }
}

// Adds to "original" the entries of the point in folder that it has none of
// yet and that changed.
void joinOriginal(Host& host, const std::string& restoreFolder, const std::string& folder, const Point& point,
                  const std::unordered_set<std::string>& changed) {
    const std::string original = restoreFolder + std::string(kOriginal);
    Point joined = readPoint(host, original).value_or(Point{point.gameFolder, {}});
    if (joined.gameFolder != point.gameFolder) return;  // it belongs to another game folder
    (void)host.createDirectory(original);
    std::size_t number = joined.entries.size();
    bool added = false;
    for (const Entry& entry : point.entries) {
        if (changed.count(entry.path) == 0) continue;
        const bool known = std::any_of(joined.entries.begin(), joined.entries.end(),
                                       [&](const Entry& e) { return e.path == entry.path; });
        if (known) continue;
        Entry kept = entry;
        if (entry.state == State::File) {
            kept.stored = std::to_string(++number);
            const std::string keptPath = original + "\\" + kept.stored;
            (void)host.deleteFile(keptPath);  // left by a join cut short
            if (!keep(host, folder + "\\" + entry.stored, keptPath).ok()) continue;
        }
        joined.entries.push_back(std::move(kept));
        added = true;
    }
    if (added) (void)writeWholeFile(host, original + std::string(kManifest), manifestText(joined));
}

// The point in pending becomes "last": the "last" there was goes.
void promote(Host& host, const std::string& restoreFolder) {
    const std::string last = restoreFolder + std::string(kLast);
    const std::string dropped = restoreFolder + std::string(kDropped);
    if (host.pathKind(last) == PathKind::Directory && !host.moveOver(last, dropped, false).ok()) return;
    if (!host.moveOver(restoreFolder + std::string(kPending), last, false).ok()) return;
    removePoint(host, dropped);
}

// Settles the pending point once its Apply is done, or was killed part-way:
// when anything it recorded changed, those entries join "original" and the
// point becomes "last". False when nothing changed. copied: files known to
// have changed.
bool settle(Host& host, const std::string& restoreFolder, const std::string& pending, const Point& point,
            const std::vector<std::string>& copied = {}) {
    const std::unordered_set<std::string> known(copied.begin(), copied.end());
    std::unordered_set<std::string> changed;
    for (const Entry& entry : point.entries)
        if (known.count(entry.path) != 0 || !unchanged(host, pending, entry)) changed.insert(entry.path);
    if (changed.empty()) return false;
    joinOriginal(host, restoreFolder, pending, point, changed);
    promote(host, restoreFolder);
    return true;
}

// Finishes what an Apply killed part-way left: its whole pending point is
// settled as it would have been; one not whole is dropped, since nothing
// was changed before it was whole.
void recover(Host& host, const std::string& restoreFolder) {
    const std::string dropped = restoreFolder + std::string(kDropped);
    const std::string pending = restoreFolder + std::string(kPending);
    if (host.pathKind(dropped) == PathKind::Directory) removePoint(host, dropped);
    if (host.pathKind(pending) != PathKind::Directory) return;
    const auto point = readPoint(host, pending);
    if (!point || !settle(host, restoreFolder, pending, *point)) removePoint(host, pending);
}

std::string pointFolder(const std::string& configBase, RestorePoint point) {
    return restoreFolderPath(configBase) + std::string(point == RestorePoint::Last ? kLast : kOriginal);
}

// The point, when it belongs to this game folder.
std::optional<Point> pointHere(Host& host, const std::string& configBase, RestorePoint which) {
    recover(host, restoreFolderPath(configBase));
    auto point = readPoint(host, pointFolder(configBase, which));
    if (!point || point->gameFolder.empty() || point->gameFolder != host.workingDirectory()) return std::nullopt;
    return point;
}

}  // namespace

std::string restoreFolderPath(const std::string& configBase) { return configBase + ".restore"; }

RestoreRecording::RestoreRecording(Host& host, std::string configBase)
    : host_(host), configBase_(std::move(configBase)) {}

Status RestoreRecording::begin(const std::vector<std::string>& files, const std::vector<std::string>& folders) {
    const std::string restoreFolder = restoreFolderPath(configBase_);
    const std::string pending = restoreFolder + std::string(kPending);
    recover(host_, restoreFolder);
    if (Status made = host_.createDirectory(restoreFolder); !made.ok() && !made.failedWith(Cause::Exists)) return made;
    if (Status made = host_.createDirectory(pending); !made.ok()) return made;

    Point point{host_.workingDirectory(), {}};
    for (const std::string& file : files) {
        const PathKind kind = host_.pathKind(file);
        if (kind == PathKind::Missing) point.entries.push_back({State::NoFile, {}, file});
        if (kind != PathKind::File) continue;  // a folder in a file's place is not Apply's to replace
        Entry entry{State::File, std::to_string(point.entries.size() + 1), file};
        if (Status kept = keep(host_, file, pending + "\\" + entry.stored); !kept.ok()) {
            removePoint(host_, pending);
            return kept;
        }
        point.entries.push_back(std::move(entry));
    }
    for (const std::string& folder : folders) {
        const PathKind kind = host_.pathKind(folder);
        if (kind == PathKind::Directory || kind == PathKind::Missing)
            point.entries.push_back({kind == PathKind::Directory ? State::Folder : State::NoFolder, {}, folder});
    }
    if (Status written = writeWholeFile(host_, pending + std::string(kManifest), manifestText(point)); !written.ok()) {
        removePoint(host_, pending);
        return written;
    }
    begun_ = true;
    return done();
}

void RestoreRecording::finish(const std::vector<std::string>& copied) {
    if (!begun_) return;
    begun_ = false;
    const std::string restoreFolder = restoreFolderPath(configBase_);
    const std::string pending = restoreFolder + std::string(kPending);
    const auto point = readPoint(host_, pending);
    if (!point || !settle(host_, restoreFolder, pending, *point, copied)) removePoint(host_, pending);
}

bool canRestore(Host& host, const std::string& configBase, RestorePoint point) {
    return pointHere(host, configBase, point).has_value();
}

RestoreOutcome restore(Host& host, const std::string& configBase, RestorePoint which) {
    RestoreOutcome outcome;
    const auto point = pointHere(host, configBase, which);
    if (!point) return outcome;
    outcome.found = true;
    const std::string folder = pointFolder(configBase, which);
    // Folders first, outermost first, so that the files have their places;
    // the folders there were none of last, innermost first, where empty.
    for (const Entry& entry : point->entries)
        if (entry.state == State::Folder && host.pathKind(entry.path) != PathKind::Directory &&
            !host.createDirectory(entry.path).ok())
            outcome.failed.push_back(entry.path);
    for (const Entry& entry : point->entries) {
        Status put = done();
        if (entry.state == State::File) put = copyFile(host, folder + "\\" + entry.stored, entry.path);
        if (entry.state == State::NoFile) put = host.deleteFile(entry.path);
        if (!put.ok() && !(entry.state == State::NoFile && put.failedWith(Cause::Missing)))
            outcome.failed.push_back(entry.path);
    }
    for (std::size_t i = point->entries.size(); i-- > 0;)
        if (point->entries[i].state == State::NoFolder)
            (void)host.removeDirectory(point->entries[i].path);  // kept where not empty
    if (which == RestorePoint::Last && outcome.failed.empty()) removePoint(host, folder);
    return outcome;
}

}  // namespace modsetup
