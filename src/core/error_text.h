#pragma once
// The texts of the standard error report. Every message the user sees is
// formed here (or beside the outcome it explains, with the same helpers), so
// the window only shows what these functions return. Names and paths in a
// message are quoted (display_text.h): shortened in the middle past
// kMaxShownNameBytes, control characters written out.

#include <string>
#include <string_view>
#include <vector>

namespace modsetup {

inline constexpr std::string_view kBitmapNotValid = "Bitmap image is not valid";

// The hosts' reason for a path that names a named pipe, a device or a socket
// where the program expects a file: such a file is never opened for reading.
inline constexpr std::string_view kNotRegularFileReason = "Not a regular file";

// The hosts' reason for a file below the set library that really lies
// outside it (a link that leads elsewhere): such a file is never read.
inline constexpr std::string_view kOutsideLibraryReason = "It leads outside the set library";

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

// The program's folder path holds a backslash, which the program's paths
// read as a separator: nothing in that folder can be found or written.
std::string backslashFolderMessage(std::string_view folder);

// The POSIX host's reasons when Wine did not run the launch script: each
// names the Wine program tried and the variable that chooses it.
std::string wineNotStartedReason(std::string_view wine, std::string_view systemReason);
std::string wineFailedReason(std::string_view wine, int exitStatus);
std::string wineKilledReason(std::string_view wine, int signal);

// A write refused for want of rights: the sentence a report then leads with,
// before what it would say otherwise.
std::string writeDeniedMessage(std::string_view message);

// Apply, a list whose text names no set: "primary slot 3: "Nowhere", looked
// for in "<slot folder>"".
std::string missingSetLine(std::string_view slot, std::string_view text, std::string_view slotFolder);

// Apply, what it could not do in the game mod folder: lists that name no set
// (lines of missingSetLine), targets that were not written (each list shows
// its first kMaxListedItems and counts the rest), of them the ones another
// program held, set files that exist but could not be read, and set files
// that lead outside the set library; then that it did the rest. Empty when
// all lists are.
std::string installFailuresMessage(const std::vector<std::string>& missingSets,
                                   const std::vector<std::string>& unwritten, const std::vector<std::string>& inUse,
                                   const std::vector<std::string>& unreadable, const std::vector<std::string>& outside);

}  // namespace modsetup
