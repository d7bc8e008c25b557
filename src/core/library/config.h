#pragma once
// The process-wide strings and the two configuration files: mod.ini in the set
// library (window title and mod name) and the selections file beside the
// program (the sixteen chosen set names and "Use Modified Weapons").

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/game/slots.h"
#include "core/io/line_file.h"

namespace modsetup {

// Set by every run of the load sequence, read by every later action.
struct ProcessStrings {
    std::string configBase;  // program file path less its last four characters
    std::string modTitle;    // line 1 of mod.ini, as read
    std::string modName;     // line 2 of mod.ini, as read
};

using SlotTexts = std::array<std::string, kSlotCount>;

// The program file's full path with its last four characters removed,
// whatever they are (".exe" on the usual name).
std::string deriveConfigBase(const std::string& programPath);

// The program's folder when its path cannot serve as the program's paths
// expect: on a host whose paths are written with "/" (they start with one), a
// backslash before the last "/" lies in a folder's name, yet every path the
// program builds from ConfigBase reads it as a separator. Empty when the path
// is fine. Takes the program file's path or ConfigBase.
std::string folderWithBackslash(std::string_view path);

std::string modIniPath(const std::string& configBase);      // ConfigBase + "\mod.ini"
std::string selectionsPath(const std::string& configBase);  // ConfigBase + ".ini"

// Reads lines 1 and 2 of mod.ini into modTitle and modName (empty when missing).
void readModIni(LineFile& handle, ProcessStrings& strings);

struct SavedSelections {
    SlotTexts texts;        // lines 1 to 16, empty where missing
    bool ticksBox = false;  // line 17 is exactly "1"
};
SavedSelections readSelections(LineFile& handle, const std::string& configBase);

// The selections file's bytes: the sixteen texts and "1" or "0" for the box,
// CR LF after each. Nothing when a text holds a line break: it would split
// its line in two and move every later choice.
std::optional<std::string> selectionsText(const SlotTexts& texts, bool boxTicked);
// Writes selectionsText's bytes to the selections file; Failed when there
// are none, or why they could not be written (the file then keeps its old
// content).
Status writeSelections(LineFile& handle, const std::string& configBase, const SlotTexts& texts, bool boxTicked);

// "Save choices as" and "Load choices": any file in the selections file's
// form, which the user picks; its path is the user's own, so the handle and
// the host given are the host's usersOwnPaths(). Written as the selections
// file is.
Status writeChoicesFile(LineFile& handle, const std::string& path, const SlotTexts& texts, bool boxTicked);

// A choices file as the selections file is read, when it is in that form: a
// line file of at most kMaxLineFileBytes, seventeen lines at most, none
// longer than kMaxLineBytes, no byte-order mark, no control character (of
// UTF-8's U+0080 to U+009F neither) but the line ends (an LF, any CR right
// before it), and no set name "." or "..". Otherwise refusal says why.
struct ChoicesRefusal {
    enum class Kind {
        None,
        Unreadable,          // failure says why
        TooLarge,            // more than kMaxLineFileBytes
        TooManyLines,        // more than the slots' lines and the box's
        LineTooLong,         // line: longer than kMaxLineBytes
        NotText,             // line: holds a control character
        LoneCarriageReturn,  // line: holds a CR that ends no line
        ByteOrderMark,
        FolderName,  // line: "." or "..", the name of a folder, not of a set
    };
    Kind kind = Kind::None;
    std::size_t line = 0;  // numbered from 1
    std::string name;      // FolderName: the line
    Failure failure;       // Unreadable
};

struct ChoicesFile {
    std::optional<SavedSelections> choices;
    ChoicesRefusal refusal;
};
ChoicesFile readChoicesFile(Host& host, const std::string& path);
// The same for a choices file's bytes, from wherever they came.
ChoicesFile parseChoices(std::string_view bytes);

}  // namespace modsetup
