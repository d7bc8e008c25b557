#pragma once
// The check program's message catalogue: every text it prints is formed
// here, the findings' words, the report's headings and summary line, the help
// and the reasons for not checking at all. The window program has a
// catalogue of its own (core/messages.h).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "check/archive_check.h"
#include "check/check_target.h"
#include "check/findings.h"
#include "core/base/windows_names.h"
#include "core/formats/picture.h"
#include "core/import/import_plan.h"
#include "core/library/set_files.h"

namespace modsetup::check {

// The slots a slot folder serves: as slotLabel (slots.h), "team Alpha and team Bravo" for "gostek".
std::string slotFolderLabel(std::size_t slot);

// Why a file or folder the program needs cannot be used.
enum class Absence { Missing, FolderInstead, FileInstead, Unopenable, Unlistable, Outside };
std::string absenceText(Absence absence, std::string_view reason = {});

// mod.ini
std::string modIniAbsentText(std::string_view why);
std::string noWindowTitleText();
std::string unsafeModNameText(std::string_view configBase, std::string_view modName);
std::string modNameBeyondAsciiText(std::string_view modName, std::size_t at);

// Slot folders and the sets they offer.
std::string slotFolderAbsentText(std::string_view why, std::size_t slot);
std::string slotFolderEmptyText(std::size_t slot);
std::string setNotOfferedText();
std::string setNameNotStorableText();
std::string setNameNotChoosableText();
std::string setsDifferInCaseText(const std::vector<std::string>& others);
std::string setNameNotForWindowsText(const WindowsNameFault& fault);
std::string setFolderOutsideText();

// Files of a set.
std::string setFileAbsentText(std::string_view why, const SetFile& file);
std::string setFolderAbsentText(std::string_view why, std::size_t files, bool shown,
                                const std::vector<std::string>& unreadFolders);
std::string pictureUnreadableText(BitmapFault fault, const SetFile& file);
// The decoder's reason in a few words ("pixel data cut short").
std::string bitmapFaultText(BitmapFault fault);
std::string setFileOutsideText(const SetFile& file);
std::string leftoverFileText(std::string_view target);
std::string nameFileAbsentText(std::string_view why, std::size_t slot);
std::string nameLineEmptyText(std::size_t slot);
std::string nameLineLikeZeroText(std::string_view line);
std::string statsFileAbsentText(std::string_view why, std::size_t slot);
// Lines are 0-based indexes into the nine values.
std::string statsValuesMissingText(const std::vector<std::size_t>& lines);
std::string statsValuesNotNumbersText(const std::vector<std::size_t>& lines, const std::vector<std::string>& values);

// The selections file.
std::string staleSelectionText(std::string_view set, std::size_t slot);

// The report's own lines.
std::string severityWord(Severity severity);
std::string slotFolderHeading(std::size_t slot, std::size_t sets);
std::string summaryText(const CheckResult& result);
std::string libraryHeading(std::string_view configBase, std::string_view selections, bool selectionsPresent);
inline constexpr std::string_view kModIniHeading = "mod.ini";
inline constexpr std::string_view kSelectionsHeading = "Selections file";
std::string findingLine(const Finding& finding);
std::string progressText(std::size_t done, std::size_t total);

// An archive's check: what it would add, and what in it is refused.
std::string archiveHeading(std::string_view archive, ArchiveLayout layout, const std::vector<std::string>& found);
std::string plannedSetHeading(const PlannedSet& set);
std::string notInstalledLine(std::string_view entry);
// Why an entry (or the whole archive) is refused, in a few words.
std::string refusalText(const ImportRefusal& refusal);
std::string refusalLine(const ImportRefusal& refusal, std::string_view archive);
std::string archiveSummaryText(const ArchiveCheck& check);
std::string archiveUnreadableText(std::string_view archive, ArchiveFault fault, std::string_view reason);

// The program's own messages.
std::string usageText();
std::string noSuchPathText(std::string_view path);
std::string noProgramFileText(std::string_view programFile);
std::string noLibraryBesideText(std::string_view programFile, std::string_view configBase);
std::string notALibraryText(std::string_view folder);
std::string badArgumentText(std::string_view argument);
// Why there is nothing to check, in the words above.
std::string checkTargetText(const CheckTarget& target);

}  // namespace modsetup::check
