#pragma once
// The catalogue of core's reports: every sentence that tells the user what
// became of loading, Apply, Play and a restore, formed from the facts the
// core hands up (causes, names, counts), so that nothing below forms words.
// Names and paths in a message are quoted (escaping.h): shortened in the
// middle past kMaxShownNameBytes, control characters written out. The
// window's own words (menu, accessible names, tooltips) are in
// front/messages.h, the set-library check's in check/messages.h.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/result.h"
#include "core/install/apply.h"
#include "core/install/launcher.h"
#include "core/library/config.h"
#include "core/library/previews.h"

namespace modsetup {

inline constexpr std::string_view kBitmapNotValid = "Bitmap image is not valid";

// A failure in words: the system's own (or its error code where it gave no
// words); the program's for a named pipe, a device or a socket where a file
// is expected (never opened), for a file below the set library that really
// lies outside it (never read), for Wine not running the launch script (each
// naming the Wine program tried and the variable that chooses it), and for
// the shell's own refusals.
std::string failureText(const Failure& failure);

// A system's reason for a failure without its trailing blanks, tabs, line
// breaks and full stops, so that the message it ends stops with one full stop.
std::string_view trimmedReason(std::string_view reason);

// The message as the report shows it: a full stop is appended when its last
// character sorts after "." (letters, digits, quotes from '/' on).
std::string reportText(std::string_view message);

// "Cannot open file "<path>". <reason>", the reason with its trailing blanks,
// line breaks and full stops removed, so that the report ends in exactly one
// full stop.
std::string cannotOpenFileMessage(std::string_view path, std::string_view reason);

// Play: the launch script could not be written, so nothing was opened.
std::string launchScriptNotWrittenMessage(std::string_view script);
// Play: the system did not take the launch script; reason as the host gives it.
std::string launchScriptNotOpenedMessage(std::string_view script, std::string_view reason);

// The error report's messages for what the core hands up: a preview picture
// that did not load, a Play that did not launch, an Apply that did not
// succeed (empty when it did).
std::string previewFailureMessage(const PreviewFailure& failure);
std::string playFailureMessage(const PlayOutcome& outcome, std::string_view configBase, std::string_view modName);
std::string applyFailureMessage(const ApplyOutcome& outcome, const ProcessStrings& strings);

// The program's folder path holds a backslash, which the program's paths
// read as a separator: nothing in that folder can be found or written.
std::string backslashFolderMessage(std::string_view folder);

// A mod name that cannot be a folder name: names mod.ini (in the set library
// of configBase) and the name, and what a mod name must not be.
std::string unsafeModNameMessage(std::string_view configBase, std::string_view modName);

// A write refused for want of rights: the sentence a report then leads with,
// before what it would say otherwise.
std::string writeDeniedMessage(std::string_view message);

// Apply, when nothing at all could be done: from a folder with a backslash,
// without a "mods" folder, or when the choices were not saved.
std::string nothingAppliedMessage(std::string_view folder);
std::string noModsFolderMessage();
// reason: the system's words, where it gave any. damaged: the restore folder
// held what the program never writes there, which stood in the way.
std::string choicesNotSavedMessage(std::string_view selections, std::string_view reason = {});
std::string restorePointNotKeptMessage(std::string_view restoreFolder, std::string_view reason = {},
                                       bool damaged = false);
// Apply: "original" could not be read or extended, and was left as it was.
std::string originalNotRecordedMessage(std::string_view restoreFolder);

// Restore: the files and folders that could not be put back, the rest being
// restored; the point of another game folder, or none.
std::string restoreFailuresMessage(const std::vector<std::string>& failed);
std::string noRestorePointMessage();
// The menu: the restore folder holds what the program never writes there.
std::string restoreFolderDamagedMessage(std::string_view restoreFolder);
// The question before a restore: how many files it puts back, from "last"
// or from "original".
std::string restoreLastQuestion(std::size_t files);
std::string restoreOriginalQuestion(std::size_t files);

// Load choices: why a file picked is not one of saved choices, and the
// report that names it; Save choices as: what could not be saved.
std::string choicesRefusalText(const ChoicesRefusal& refusal);
std::string choicesNotLoadedMessage(std::string_view path, std::string_view refusal);

// A slot as reports name it: "primary slot 3", "secondary slot 1", "team Alpha".
std::string slotLabel(std::size_t slot);

// Apply, a list whose text names no set: "primary slot 3: "Nowhere", looked
// for in "<slot folder>"".
std::string missingSetLine(std::string_view slot, std::string_view text, std::string_view slotFolder);

// Apply, what it could not do in the game mod folder: lists that name no set
// (lines of missingSetLine), targets that were not written (each list shows
// its first kMaxListedItems and counts the rest), of them the ones another
// program held, set files that exist but could not be read, and set files
// that lead outside the set library; then that it did the rest. Empty when
// all lists are. reasons: the system's words for the targets not written.
std::string installFailuresMessage(const std::vector<std::string>& missingSets,
                                   const std::vector<std::string>& unwritten, const std::vector<std::string>& inUse,
                                   const std::vector<std::string>& unreadable, const std::vector<std::string>& outside,
                                   const std::vector<std::string>& reasons = {});

}  // namespace modsetup
