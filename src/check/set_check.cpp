#include "check/set_check.h"

#include <algorithm>

#include "check/messages.h"
#include "core/base/ascii_case.h"
#include "core/base/decimal_number.h"
#include "core/base/temporary_name.h"
#include "core/formats/picture.h"
#include "core/game/weapon_sections.h"
#include "core/install/weapon_names.h"
#include "core/install/weapon_stats.h"
#include "core/report/messages.h"

namespace modsetup::check {
namespace {

#ifdef _WIN32
constexpr char kShownSeparator = '\\';
#else
constexpr char kShownSeparator = '/';
#endif

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

Severity severityOf(const SetFile& file) { return file.shown ? Severity::Error : Severity::Warning; }
// A file Apply reads: only a link out of the library is an error.
Severity severityOf(Cause cause) { return cause == Cause::Outside ? Severity::Error : Severity::Warning; }

// The check needs the decoder's verdict on a whole bitmap, not its pixels.
constexpr PictureArea kNoPixels{0, 0};

// "0 ", " 0" or "00": what an author may take for the "0" that stands for the set's name.
bool looksLikeZero(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return false;
    const std::size_t last = line.find_last_not_of(" \t");
    return line.substr(first, last - first + 1).find_first_not_of('0') == std::string_view::npos;
}

}  // namespace

struct SetCheck::Folder {
    std::string key;  // the folded suffix of the folder
    std::string suffix;
    std::string why;       // empty when the folder is there
    bool outside = false;  // there, but a link that leads outside the set library
    std::size_t finding = kNone;
    std::size_t files = 0;  // files of the table that it should hold
    bool shown = false;     // one of them is a preview picture
};

std::string shownPath(std::string_view programPath) {
    std::string shown(programPath);
    for (char& c : shown)
        if (c == '\\') c = kShownSeparator;
    return shown;
}

SetCheck::SetCheck(Host& host, std::string configBase, PictureReader pictures)
    : host_(host), configBase_(std::move(configBase)), pictures_(std::move(pictures)), lines_(host) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        files_[slot] = setFilesOf(slot);
        // The set folder and each folder its files lie in, once whatever its letter case.
        std::vector<std::string>& folders = folders_[slot];
        folders.emplace_back();
        for (const SetFile& file : files_[slot])
            for (std::string_view folder : foldersOf(file.suffix))
                if (std::none_of(folders.begin(), folders.end(),
                                 [&](const std::string& known) { return equalsIgnoringCase(known, folder); }))
                    folders.emplace_back(folder);
    }
}

void SetCheck::run(std::size_t slot, const std::string& set, CheckResult& result) {
    slot_ = slot;
    folder_ = setFolderPath(configBase_, slot, set);
    place_ = std::string(kSlots[slot].folder) + kShownSeparator + set;
    ++result.sets;

    outside_ = false;
    setFolderLooked_ = false;

    std::vector<Folder> folders;
    for (const SetFile& file : files_[slot]) {
        checkFile(file, folders, result);
        if (outside_) return;
    }
    for (const Folder& folder : folders) {
        if (folder.finding == kNone) continue;
        const std::string_view parent(folder.suffix.data(), folder.suffix.rfind('\\'));
        Finding& finding = result.findings[folder.finding];
        finding.severity = folder.shown || folder.outside ? Severity::Error : Severity::Warning;
        finding.text = setFolderAbsentText(folder.why, folder.files, folder.shown, unreadFolders(parent));
    }
    if (slot < kWeaponSlotCount) {
        checkNameFile(result);
        checkStatsFile(result);
    }
    checkLeftovers(folders, result);
}

void SetCheck::checkFile(const SetFile& file, std::vector<Folder>& folders, CheckResult& result) {
    ++result.files;
    const std::string path = folder_ + file.suffix;
    PathKind kind = PathKind::File;
    if (file.picture) {
        const PictureLoad load = pictures_ ? pictures_(path) : loadPicture(host_, path, kNoPixels);
        if (load.picture) return;
        if (load.fault) {
            add(severityOf(file), file.suffix, pictureUnreadableText(*load.fault, file), result);
            return;
        }
        kind = host_.pathKind(path);
        if (kind == PathKind::File) {
            add(severityOf(file), file.suffix,
                setFileAbsentText(absenceText(Absence::Unopenable, failureText(*load.openFailure)), file), result);
            return;
        }
    } else {
        kind = host_.pathKind(path);
        if (kind == PathKind::File) return;
    }

    // A set folder that is a link leading outside the set library is told
    // once, for the whole set.
    if (kind == PathKind::Outside && !setFolderLooked_) {
        setFolderLooked_ = true;
        if (host_.pathKind(folder_) == PathKind::Outside) {
            outside_ = true;
            add(Severity::Error, {}, setFolderOutsideText(), result);
            return;
        }
    }
    // A missing file in a missing folder, or in a folder that leads outside,
    // is told once, for the whole folder.
    if (kind == PathKind::Missing || kind == PathKind::Outside) {
        if (Folder* folder = absentFolder(file.suffix, folders)) {
            if (folder->finding == kNone) {
                folder->finding = result.findings.size();
                add(Severity::Warning, folder->suffix, {}, result);  // severity and text follow
            }
            ++folder->files;
            folder->shown = folder->shown || file.shown;
            return;
        }
    }
    if (kind == PathKind::Outside) add(Severity::Error, file.suffix, setFileOutsideText(file), result);
    else
        add(severityOf(file), file.suffix,
            setFileAbsentText(absenceText(kind == PathKind::Missing ? Absence::Missing : Absence::FolderInstead), file),
            result);
}

SetCheck::Folder* SetCheck::absentFolder(std::string_view suffix, std::vector<Folder>& folders) {
    for (std::string_view folderSuffix : foldersOf(suffix)) {
        const std::string key = lowerAscii(folderSuffix);
        Folder* folder = nullptr;
        for (Folder& known : folders)
            if (known.key == key) folder = &known;
        if (folder == nullptr) {
            Folder added{key, std::string(folderSuffix), {}};
            const PathKind kind = host_.pathKind(folder_ + added.suffix);
            added.outside = kind == PathKind::Outside;
            if (kind != PathKind::Directory)
                added.why = absenceText(kind == PathKind::Missing   ? Absence::Missing
                                        : kind == PathKind::Outside ? Absence::Outside
                                                                    : Absence::FileInstead);
            folders.push_back(std::move(added));
            folder = &folders.back();
        }
        if (!folder->why.empty()) return folder;
    }
    return nullptr;
}

// The folders beside a missing one that no file of the slot's sets lies in:
// where a mistyped folder name shows up.
std::vector<std::string> SetCheck::unreadFolders(std::string_view parent) {
    std::vector<std::string> unread;
    const auto entries = host_.listFolder(folder_ + std::string(parent));
    if (!entries.ok()) return unread;
    for (const FolderEntry& entry : entries.value()) {
        if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
        const std::string key = lowerAscii(std::string(parent) + "\\" + entry.name);
        bool read = false;
        for (const SetFile& file : files_[slot_])
            for (std::string_view folder : foldersOf(file.suffix)) read = read || lowerAscii(folder) == key;
        if (!read) unread.push_back(entry.name);
    }
    return unread;
}

// Temporary files that a write cut short left in the set's folders, as when
// the set was made from an installed mod folder: they would ship with it.
void SetCheck::checkLeftovers(const std::vector<Folder>& absent, CheckResult& result) {
    for (const std::string& folder : folders_[slot_]) {
        const std::string key = lowerAscii(folder);
        if (std::any_of(absent.begin(), absent.end(), [&](const Folder& f) { return f.key == key && !f.why.empty(); }))
            continue;
        const auto entries = host_.listFolder(folder_ + folder);
        if (!entries.ok()) continue;
        for (const FolderEntry& entry : entries.value()) {
            const std::string_view target = temporaryTarget(entry.name);
            if (!entry.isDirectory && !target.empty())
                add(Severity::Warning, folder + "\\" + entry.name, leftoverFileText(target), result);
        }
    }
}

// Why a set's line file could not be read, as the read's failure says; a
// folder in its place is told as one.
std::string SetCheck::whyUnusable(const std::string& path, const Failure& failure) {
    if (failure.cause == Cause::Missing) return absenceText(Absence::Missing);
    if (failure.cause == Cause::Outside) return absenceText(Absence::Outside);
    if (host_.pathKind(path) == PathKind::Directory) return absenceText(Absence::FolderInstead);
    return absenceText(Absence::Unopenable, failureText(failure));
}

void SetCheck::checkNameFile(CheckResult& result) {
    ++result.files;
    const std::string path = folder_ + std::string(kNameFile);
    if (const Status& opened = lines_.openRead(path); !opened.ok()) {
        add(severityOf(opened.cause()), kNameFile, nameFileAbsentText(whyUnusable(path, opened.failure()), slot_),
            result);
        return;
    }
    const std::string first = lines_.readLine();
    lines_.close();
    if (first.empty()) {
        add(Severity::Warning, kNameFile, nameLineEmptyText(slot_), result);
    } else if (first != "0" && looksLikeZero(first)) {
        add(Severity::Warning, kNameFile, nameLineLikeZeroText(first), result);
    }
}

void SetCheck::checkStatsFile(CheckResult& result) {
    ++result.files;
    const std::string path = folder_ + std::string(kStatsFile);
    if (const Status& opened = lines_.openRead(path); !opened.ok()) {
        add(severityOf(opened.cause()), kStatsFile, statsFileAbsentText(whyUnusable(path, opened.failure()), slot_),
            result);
        return;
    }
    std::vector<std::size_t> empty;
    std::vector<std::size_t> notNumbers;
    std::vector<std::string> values;
    for (std::size_t line = 0; line < kStatsValueCount; ++line) {
        std::string value = lines_.readLine();
        if (value.empty()) {
            empty.push_back(line);
        } else if (!isDecimalNumber(value)) {
            notNumbers.push_back(line);
            values.push_back(std::move(value));
        }
    }
    lines_.close();
    if (!empty.empty()) add(Severity::Warning, kStatsFile, statsValuesMissingText(empty), result);
    if (!notNumbers.empty()) add(Severity::Warning, kStatsFile, statsValuesNotNumbersText(notNumbers, values), result);
}

void SetCheck::add(Severity severity, std::string_view suffix, std::string text, CheckResult& result) const {
    result.findings.push_back({severity, Group::SlotFolder, slot_, place_ + shownPath(suffix), std::move(text)});
}

}  // namespace modsetup::check
