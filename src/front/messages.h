#pragma once
// The window's own words: the names screen readers hear, the menu and the
// file dialogs its commands open, the tooltips' words. The reports of
// loading, Apply, Play and a restore are core's (core/report/messages.h).
// Each window shows only what these give.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/import/import_run.h"

namespace modsetup::front {

// What screen readers are told of the window: each slot list's name, in the
// words of the captions beside it (the heading and the number), and a
// picture that plays its slot's shot, whose name goes on with its list's.
inline constexpr std::array<std::string_view, 16> kListNames{
    "Primary weapon 1",   "Primary weapon 2",   "Primary weapon 3",   "Primary weapon 4",
    "Primary weapon 5",   "Primary weapon 6",   "Primary weapon 7",   "Primary weapon 8",
    "Primary weapon 9",   "Primary weapon 10",  "Secondary weapon 1", "Secondary weapon 2",
    "Secondary weapon 3", "Secondary weapon 4", "Team Alpha",         "Team Bravo"};
inline constexpr std::string_view kShotPictureName = "Play the shot: ";
// What pressing a button is called, and how an access key is named ("Alt+A").
inline constexpr std::string_view kPressAction = "Press";
inline constexpr std::string_view kAccessKeyPrefix = "Alt+";
// The last line of a weapon tooltip: how to show it from the keyboard.
std::string tooltipKeyHintText(std::string_view tooltipKey);

// The window's menu (its name, as screen readers say it when it opens), the
// titles and file kinds of the file dialogs its commands open, and the
// tooltip of the window's background that tells of the menu.
inline constexpr std::string_view kMenuName = "Menu";
inline constexpr std::string_view kRestoreLastCommand = "Restore the files from before the last Apply";
inline constexpr std::string_view kRestoreOriginalCommand = "Restore the mod's original files";
inline constexpr std::string_view kSaveChoicesCommand = "Save choices as\u2026";
inline constexpr std::string_view kLoadChoicesCommand = "Load choices\u2026";
inline constexpr std::string_view kSaveChoicesTitle = "Save choices as";
inline constexpr std::string_view kLoadChoicesTitle = "Load choices";
inline constexpr std::string_view kChoicesFileKind = "Choices";
inline constexpr std::string_view kAllFilesKind = "All files";
inline constexpr std::string_view kShowPlanCommand = "Show what Apply will change";
inline constexpr std::string_view kCopyChoicesCommand = "Copy choices as text";
inline constexpr std::string_view kPasteChoicesCommand = "Paste choices";
std::string menuHintText(std::string_view menuKey);

// What Apply will change, as its list shows it: a title, the totals, a
// heading for each slot (its list's name and set) and for the program's own
// files, and a line for each file that names what becomes of it.
inline constexpr std::string_view kPlanTitle = "What Apply will change";
inline constexpr std::string_view kPlanMatches = "The mod folder matches the choices: Apply will change no file.";
inline constexpr std::string_view kPlanOwnFiles = "The weapon names, weapons.ini and the saved choices";
inline constexpr std::array<std::string_view, 4> kPlanChanges{"added", "replaced", "removed", "unchanged"};
inline constexpr std::string_view kCopyButton = "&Copy";
inline constexpr std::string_view kCloseButton = "Close";
std::string planTotalsText(std::size_t added, std::size_t replaced, std::size_t removed, std::size_t unchanged);
std::string planMissingSetText(std::string_view set);
std::string planNothingText(bool programFolderUnusable);

// Choices as text: a line per list in the words of its caption, one for the
// box, then the line that keeps their exact bytes (choices_code.h).
inline constexpr std::string_view kBoxLineName = "Use Modified Weapons";
inline constexpr std::string_view kYes = "yes";
inline constexpr std::string_view kNo = "no";
inline constexpr std::string_view kNotInLibrary = " (not in this library)";
inline constexpr std::string_view kPasteQuestionEnd =
    "Fill the lists with these choices? Nothing is written before Apply.";
std::string clipboardNotChoicesMessage(std::string_view refusal);
inline constexpr std::string_view kNoChoicesOnClipboard =
    "it holds no line that names a list, such as \"Primary weapon 1: \", nor a choices code";
inline constexpr std::string_view kChoicesNotCopied =
    "The choices cannot be copied as text: a list's text holds a line break.";

// The tooltip of a weapon slot: the words around the set's statistics, and
// how to hear its shot (shotKey names the key that plays it).
inline constexpr std::string_view kNotInstalledYet = "not installed yet";
inline constexpr std::string_view kInstalled = "installed";
inline constexpr std::string_view kSameValue = "same";
inline constexpr std::string_view kNoSound = "no sound in this set";
std::string hearShotText(std::string_view shotKey);

// Adding sets from an archive (import_dialog.h): the menu's command and its
// file dialog, the progress windows, the dialog's words and the reports. A
// message that names a file or a set holds only ASCII besides: the name's
// bytes decide how the whole is shown.
inline constexpr std::string_view kAddFromArchiveCommand = "Add sets from an archive\u2026";
inline constexpr std::string_view kAddFromArchiveTitle = "Add sets from an archive";
inline constexpr std::string_view kArchivesKind = "Archives";
inline constexpr std::string_view kArchivePatterns = "*.zip;*.7z";
inline constexpr std::string_view kCancel = "Cancel";
inline constexpr std::string_view kAddButton = "&Add";
inline constexpr std::array<std::string_view, 5> kImportColumns{"Set", "Slot", "Contents", "Findings", "What to do"};
inline constexpr std::string_view kImportListName = "Sets in the archive";
inline constexpr std::string_view kImportPlaceLabel = "&Slot:";
inline constexpr std::string_view kImportActionLabel = "&What to do:";
inline constexpr std::string_view kImportFindingsLabel = "Findings of the check:";
inline constexpr std::string_view kAddAction = "Add";
inline constexpr std::string_view kReplaceAction = "Replace (the set there goes to the trash)";
inline constexpr std::string_view kSkipAction = "Skip";
inline constexpr std::string_view kNoFindings = "none";
std::string keepBothAction(std::string_view newName);
std::string readingArchiveText(std::string_view archive);
std::string addingSetsText(std::string_view archive);
std::string importHeadingText(std::string_view archive, ArchiveLayout layout, std::size_t sets,
                              const std::vector<std::string>& notInstalled);
// A slot folder by the slots it serves: "Primary slot 1", "Team Alpha and team Bravo".
std::string importSlotText(std::size_t slot);
std::string setContentsText(std::size_t files, std::uint64_t bytes);
std::string findingsSummaryText(std::size_t errors, std::size_t warnings);
// The reports: an archive not read, one whose content is refused (each
// refusal a line, the first kMaxRefusalsShown), an import that failed, a
// replaced set the trash did not take.
inline constexpr std::size_t kMaxRefusalsShown = 12;
std::string archiveUnreadableMessage(std::string_view archive, ArchiveFault fault, std::string_view reason);
std::string archiveRefusedMessage(std::string_view archive, const ImportPlan& plan);
std::string importFailedMessage(std::string_view archive, const ImportOutcome& outcome);
std::string replacedSetKeptMessage(const KeptSet& kept);

}  // namespace modsetup::front
