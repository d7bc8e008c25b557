#include "check/messages.h"

#include "core/base/escaping.h"
#include "core/base/mod_name.h"
#include "core/game/slots.h"
#include "core/game/weapon_sections.h"
#include "core/report/messages.h"

namespace modsetup::check {
namespace {

constexpr std::string_view kWithModifiedWeapons = "with \"Use Modified Weapons\" ticked, ";

std::string counted(std::size_t count, std::string_view thing) {
    return std::to_string(count) + " " + std::string(thing) + (count == 1 ? "" : "s");
}

// "a", "a and b", "a, b and c".
std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

// "Damage" of "Damage=".
std::string_view keyName(std::size_t line) {
    std::string_view key = kSetStatsKeys[line];
    return key.substr(0, key.size() - 1);
}

std::string noSetToChoose(std::size_t slot) { return "no set to choose for " + slotFolderLabel(slot); }

}  // namespace

std::string slotFolderLabel(std::size_t slot) {
    return slot >= kTeamAlpha ? "team Alpha and team Bravo" : slotLabel(slot);
}

std::string absenceText(Absence absence, std::string_view reason) {
    switch (absence) {
    case Absence::Missing: return "missing";
    case Absence::FolderInstead: return "a folder, not a file";
    case Absence::FileInstead: return "a file, not a folder";
    case Absence::Unlistable: return "cannot be listed";
    case Absence::Outside: return "a link that leads outside the set library";
    case Absence::Unopenable: break;
    }
    return "cannot be opened (" + std::string(trimmedReason(reason)) + ")";
}

std::string modIniAbsentText(std::string_view why) {
    return std::string(why) + ": the window shows no title, and Apply and Play refuse the empty mod name";
}

std::string noWindowTitleText() { return "line 1, the window title, is empty: the window shows no title"; }

std::string unsafeModNameText(std::string_view configBase, std::string_view modName) {
    std::string message = unsafeModNameMessage(configBase, modName);
    for (char& c : message)
        if (c == '\n') c = ' ';
    return "line 2, the mod name, is refused by Apply and Play with this report: " + message;
}

std::string modNameBeyondAsciiText(std::string_view modName, std::size_t at) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(modName[at]);
    return "line 2, the mod name " + quoted(modName) + ", holds the byte 0x" + kHex[byte >> 4] + kHex[byte & 15] +
           ", which is not ASCII: the command interpreter reads the launch script in another code page, so Play "
           "starts the game with another mod name than the folder Apply writes";
}

std::string slotFolderAbsentText(std::string_view why, std::size_t slot) {
    return std::string(why) + ": " + noSetToChoose(slot);
}

std::string slotFolderEmptyText(std::size_t slot) { return "holds no set folder: " + noSetToChoose(slot); }

std::string setNotOfferedText() { return "hidden or a system folder: the list does not offer this set"; }

std::string setNameNotStorableText() {
    return "the name holds a line break or another control character, which the selections file cannot store "
           "and Windows cannot hold: the list does not offer this set";
}

std::string setNameNotChoosableText() {
    return "the name holds characters this system's code page cannot write, so the set cannot be chosen on this "
           "system: the list does not offer it";
}

std::string setsDifferInCaseText(const std::vector<std::string>& others) {
    std::vector<std::string> names;
    for (const std::string& other : others) names.push_back(quoted(other));
    return std::string(others.size() == 1 ? "differs from the set " : "differs from the sets ") + joined(names) +
           " only in letter case: the program finds set names without regard to letter case and may read one "
           "set for the other";
}

std::string setNameNotForWindowsText(const WindowsNameFault& fault) {
    std::string problem;
    switch (fault.problem) {
    case WindowsNameProblem::EndsInDot: problem = "its name ends in a dot"; break;
    case WindowsNameProblem::EndsInBlank: problem = "its name ends in a blank"; break;
    case WindowsNameProblem::DeviceName: problem = "its name is that of a device of Windows"; break;
    case WindowsNameProblem::ForbiddenCharacter:
        problem = std::string("its name holds the character ") + fault.character;
        break;
    case WindowsNameProblem::None: break;
    }
    return "cannot be used on Windows: " + problem + ", so a copy of the library there loses or refuses this set";
}

std::string setFolderOutsideText() {
    return absenceText(Absence::Outside) + ": the program reads none of the set's files";
}

std::string setFileAbsentText(std::string_view why, const SetFile& file) {
    std::string text(why);
    text += ": ";
    if (file.shown) text += "the window reports an error when the set is chosen";
    if (file.shown && file.installed) text += ", and ";
    if (file.installed) text += "Apply skips it and the game keeps its own";
    return text;
}

std::string setFolderAbsentText(std::string_view why, std::size_t files, bool shown,
                                const std::vector<std::string>& unreadFolders) {
    std::string text = std::string(why) + "; the set should keep " + counted(files, "file") + " there: ";
    if (shown) text += "the window reports an error when the set is chosen, and ";
    text += files == 1 ? "Apply skips it" : "Apply skips them";
    if (!unreadFolders.empty()) {
        std::vector<std::string> names;
        for (const std::string& folder : unreadFolders) names.push_back(quoted(folder));
        text += unreadFolders.size() == 1 ? "; the set has a folder " : "; the set has folders ";
        text += joined(names) + " that nothing reads";
    }
    return text;
}

std::string bitmapFaultText(BitmapFault fault) {
    switch (fault) {
    case BitmapFault::NotABitmap: return "not a bitmap file";
    case BitmapFault::HeaderCutShort: return "header cut short";
    case BitmapFault::MasksCutShort: return "colour masks cut short";
    case BitmapFault::UnknownHeader: return "unknown header version";
    case BitmapFault::NoSize: return "no width or no height";
    case BitmapFault::TooManyPixels: return "more pixels than any picture of a set";
    case BitmapFault::PixelDataOutside: return "pixel data outside the file";
    case BitmapFault::UnsupportedBits: return "unsupported number of bits per pixel";
    case BitmapFault::UnsupportedPixels: return "unsupported kind of pixel data";
    case BitmapFault::PixelDataCutShort: return "pixel data cut short";
    case BitmapFault::RunLengthCutShort: return "run-length data cut short";
    }
    return "not a bitmap file";
}

std::string pictureUnreadableText(BitmapFault fault, const SetFile& file) {
    std::string text = "not a bitmap the program can read (" + bitmapFaultText(fault) + "): ";
    if (file.shown) text += "the window reports " + quoted(kBitmapNotValid) + " when the set is chosen";
    if (file.shown && file.installed) text += ", and ";
    if (file.installed) text += "Apply installs it as it is";
    return text;
}

std::string setFileOutsideText(const SetFile& file) {
    std::string text = absenceText(Absence::Outside) + ", which the program never reads: ";
    if (file.shown) text += "the window reports an error when the set is chosen";
    if (file.shown && file.installed) text += ", and ";
    if (file.installed) text += "Apply reports it and does not copy it";
    return text;
}

std::string leftoverFileText(std::string_view target) {
    return "a temporary file that a write of " + quoted(target) +
           " left when it was cut short: nothing reads it; delete it before you ship the library";
}

std::string nameFileAbsentText(std::string_view why, std::size_t slot) {
    return std::string(why) + ": " + std::string(kWithModifiedWeapons) + "Apply writes an empty weapon name for " +
           slotLabel(slot);
}

std::string nameLineEmptyText(std::size_t slot) { return nameFileAbsentText("line 1 is empty", slot); }

std::string nameLineLikeZeroText(std::string_view line) {
    return "line 1 is " + quoted(line) +
           ", not \"0\": Apply writes it as the weapon name; only a line of exactly \"0\" stands for the set's name";
}

std::string statsFileAbsentText(std::string_view why, std::size_t slot) {
    return std::string(why) + ": " + std::string(kWithModifiedWeapons) + "Apply writes " +
           std::string(kSlots[slot].statsSection) + " into weapons.ini with nine empty values";
}

std::string statsValuesMissingText(const std::vector<std::size_t>& lines) {
    std::vector<std::string> keys;
    for (std::size_t line : lines)
        keys.push_back("line " + std::to_string(line + 1) + " (" + std::string(keyName(line)) + ")");
    return "no value on " + joined(keys) + ": " + std::string(kWithModifiedWeapons) +
           (lines.size() == 1 ? "Apply writes this key" : "Apply writes these keys") +
           " into weapons.ini without a value";
}

std::string statsValuesNotNumbersText(const std::vector<std::size_t>& lines, const std::vector<std::string>& values) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < lines.size(); ++i)
        items.push_back("line " + std::to_string(lines[i] + 1) + " (" + std::string(keyName(lines[i])) + ") " +
                        quoted(values[i]));
    return "not a number: " + joined(items) + ": Apply writes " + (lines.size() == 1 ? "it" : "them") +
           " into weapons.ini as " + (lines.size() == 1 ? "it is" : "they are");
}

std::string staleSelectionText(std::string_view set, std::size_t slot) {
    return "names the set " + quoted(set) + " of " + slotLabel(slot) + ", which is not in the slot folder " +
           quoted(kSlots[slot].folder) + ": the window reports an error at start";
}

std::string severityWord(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

std::string slotFolderHeading(std::size_t slot, std::size_t sets) {
    return "Slot folder " + std::string(kSlots[slot].folder) + " (" + slotFolderLabel(slot) +
           "): " + counted(sets, "set");
}

std::string summaryText(const CheckResult& result) {
    return counted(result.sets, "set") + " and " + counted(result.files, "file") +
           " checked: " + counted(result.count(Severity::Error), "error") + ", " +
           counted(result.count(Severity::Warning), "warning");
}

std::string findingLine(const Finding& finding) {
    // The place holds names from the library; the text quotes its own.
    return severityWord(finding.severity) + ": " + visibleText(finding.place) + ": " + finding.text;
}

std::string progressText(std::size_t done, std::size_t total) {
    return "Checking set " + std::to_string(done) + " of " + std::to_string(total);
}

std::string libraryHeading(std::string_view configBase, std::string_view selections, bool selectionsPresent) {
    return "Checking the set library " + quoted(configBase) + "\n" +
           (selectionsPresent ? "  and the selections file " : "  (no selections file ") + quoted(selections) +
           (selectionsPresent ? "" : ")");
}

std::string archiveHeading(std::string_view archive, ArchiveLayout layout, const std::vector<std::string>& found) {
    std::string text = "Checking the archive " + quoted(archive) + ": ";
    switch (layout) {
    case ArchiveLayout::Library: return text + "the slot folders of a set library";
    case ArchiveLayout::SingleSet: return text + "a single set";
    case ArchiveLayout::SeveralSets: return text + "several sets";
    case ArchiveLayout::None: break;
    }
    std::vector<std::string> shown;
    for (const std::string& name : found) shown.push_back(quoted(name));
    return text + "no set in any layout the program knows" + (shown.empty() ? "" : "; it holds " + joined(shown));
}

std::string plannedSetHeading(const PlannedSet& set) {
    std::string text = "Set " + quoted(set.name);
    if (!set.archiveFolder.empty()) text += " from " + quoted(set.archiveFolder);
    std::size_t files = set.files.size();
    if (set.slotChoices.size() == 1) {
        text += " for " + slotFolderLabel(set.slotChoices.front().slot);
    } else {
        std::vector<std::string> labels;
        for (const SlotChoice& choice : set.slotChoices) labels.push_back(slotFolderLabel(choice.slot));
        // Files every weapon's sets hold (name.txt, stats.ini) fit them all.
        const std::string fits = labels.size() == kWeaponSlotCount ? "every weapon slot" : joined(labels);
        text += ", which fits " + fits + " (the window asks which; checked as " + labels.front() + ")";
    }
    text += ": " + counted(files, "file") + ", " + counted(static_cast<std::size_t>(set.bytes), "byte");
    const SlotChoice& first = set.slotChoices.front();
    if (first.nameTaken)
        text += "; " + slotFolderLabel(first.slot) + " has a set of that name already: Replace, Keep both (as " +
                quoted(first.freeName) + ") or Skip";
    return text;
}

std::string notInstalledLine(std::string_view entry) {
    return "  " + visibleText(entry) + ": the set library's own file: never installed from an archive";
}

std::string refusalText(const ImportRefusal& refusal) {
    const std::string detail = quoted(refusal.detail);
    switch (refusal.cause) {
    case Refusal::NotFileOrFolder: return "a link, a device or a pipe, not a file or a folder";
    case Refusal::NameUndecodable: return "its name is no text in the archive's encoding";
    case Refusal::NameAbsolute: return "an absolute name, which would lie outside the set library";
    case Refusal::NameParentStep: return "its name climbs up with \"..\" and would lie outside the set library";
    case Refusal::NameDrive: return "its name names a drive or a device path, which would lie outside the set library";
    case Refusal::NameControl: return "its name holds a control character";
    case Refusal::NameForbidden: return "its name holds the character " + detail + ", which Windows refuses";
    case Refusal::NameTrailing: return "the part " + detail + " ends in a dot or a blank, which Windows drops";
    case Refusal::NameDevice: return "the part " + detail + " is the name of a device of Windows";
    case Refusal::NamePartTooLong: return "the part " + detail + " is longer than 255 bytes";
    case Refusal::NameNotInCodePage: return "the system's code page cannot write the part " + detail;
    case Refusal::SameName: return "the same file as " + detail + " once letter case is ignored, as Windows does";
    case Refusal::Encrypted: return "encrypted: extract it with your archiver first";
    case Refusal::Deflate64:
        return "packed with Deflate64, which the program cannot unpack: extract the archive with your archiver and "
               "pack it again as a zip with the usual method (Deflate) or as a 7z archive";
    case Refusal::UnknownMethod:
        return "packed with a method the program cannot unpack (zip method " + std::to_string(refusal.count) + ")";
    case Refusal::NestedArchive: return "an archive inside the archive, left unopened: add its sets from it on its own";
    case Refusal::Executable: return "a program or a script, which no set holds";
    case Refusal::Unused: return "a file no set uses";
    case Refusal::Undecodable: return "cannot be unpacked: damaged, or packed in a way the program cannot read";
    case Refusal::TooManyEntries: return "holds more than " + std::to_string(refusal.count) + " entries";
    case Refusal::TooLarge: return "unpacks to more than " + std::to_string(refusal.count >> 30) + " GiB";
    case Refusal::TooCompressed: return "unpacks to more than " + std::to_string(refusal.count) + " times its own size";
    case Refusal::Damaged: return "damaged: it cannot be read whole";
    case Refusal::NamesDisagree: return "the zip's directory and the entry's own header name different files";
    case Refusal::Overlapping: return "shares its bytes with another entry";
    case Refusal::NoLayout: return "holds no set in any layout the program knows";
    }
    return {};
}

std::string refusalLine(const ImportRefusal& refusal, std::string_view archive) {
    return severityWord(Severity::Error) + ": " + visibleText(refusal.entry.empty() ? archive : refusal.entry) + ": " +
           refusalText(refusal) + ": nothing in the archive is added";
}

std::string archiveSummaryText(const ArchiveCheck& check) {
    std::size_t files = 0;
    for (const PlannedSet& set : check.plan.sets) files += set.files.size();
    const std::size_t errors = check.count(Severity::Error) + check.plan.refusals.size();
    return counted(check.plan.sets.size(), "set") + " and " + counted(files, "file") +
           " checked: " + counted(errors, "error") + ", " + counted(check.count(Severity::Warning), "warning") +
           (check.plan.canAdd() ? "; all can be added" : "; nothing can be added");
}

std::string archiveUnreadableText(std::string_view archive, ArchiveFault fault, std::string_view reason) {
    if (fault == ArchiveFault::Unopenable)
        return "modsetup-check: cannot open " + quoted(archive) + " (" + std::string(trimmedReason(reason)) + ")";
    return "modsetup-check: " + quoted(archive) + " is no archive the program reads (a zip or a 7z archive)";
}

std::string usageText() {
    return R"(usage: modsetup-check [--quiet] [--strict] [PATH]

Checks a set library for everything Apply would skip and the window would
fail to show, and tells what the program will do because of each finding.
Given an archive, checks what the window would add from it, writing nothing.

PATH is the program file (modsetup.exe), beside which the program finds its
set library (the program file's path less its last four characters) and its
selections file (the same plus ".ini"); or a set library folder, whose
selections file is the folder's path plus ".ini". Without PATH the check
takes modsetup.exe in the working directory. Any other file is read as an
archive of sets (zip or 7z): the report names each set it would add, with
the slot and the check's findings for it, and every entry that would be
refused; names are looked up in the set library of modsetup.exe in the
working directory, when there is one.

  -q, --quiet   print only the findings and the summary line
      --strict  count warnings as errors for the exit status, as a build
                pipeline that ships the library should
  -h, --help    print this text

Each finding is an error (the window will show an error, Apply and Play will
refuse, or a link leads out of the library, which the program never follows)
or a warning (Apply will skip a file or write what the author likely did not
mean, a set's name cannot be used on Windows, or a write cut short left a
temporary file).

Exit status: 0 when there are no errors, 1 when there are errors (or, with
--strict, warnings), 2 when PATH is neither a set library nor a program file,
or the command line is wrong. For an archive: 0 when all of it can be added,
1 when anything in it would be refused (or, with --strict, when the check
finds an error or a warning in a set), 2 when it is no archive the program
reads.
)";
}

std::string noSuchPathText(std::string_view path) {
    return "modsetup-check: there is no file or folder " + quoted(path);
}

std::string noProgramFileText(std::string_view programFile) {
    return "modsetup-check: there is no " + std::string(programFile) +
           " in the working directory: give the program file or the set library folder to check "
           "(modsetup-check --help)";
}

std::string noLibraryBesideText(std::string_view programFile, std::string_view configBase) {
    return "modsetup-check: there is no set library beside the program file " + quoted(programFile) + ": the folder " +
           quoted(configBase) + " is missing";
}

std::string notALibraryText(std::string_view folder) {
    std::vector<std::string> names;
    for (std::size_t slot = 0; slot <= kTeamAlpha; ++slot) names.emplace_back(kSlots[slot].folder);
    return "modsetup-check: " + quoted(folder) + " is not a set library: it holds neither mod.ini nor any of the " +
           "slot folders " + joined(names);
}

std::string badArgumentText(std::string_view argument) {
    return "modsetup-check: unexpected argument " + quoted(argument) + " (modsetup-check --help)";
}

std::string checkTargetText(const CheckTarget& target) {
    switch (target.problem) {
    case TargetProblem::None: break;
    case TargetProblem::NoSuchPath: return noSuchPathText(target.given);
    case TargetProblem::NoProgramFile: return noProgramFileText(target.given);
    case TargetProblem::NoLibraryBeside: return noLibraryBesideText(target.given, target.configBase);
    case TargetProblem::NotALibrary:
        return notALibraryText(target.configBase.empty() ? target.given : target.configBase);
    }
    return {};
}

}  // namespace modsetup::check
