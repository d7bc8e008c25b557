#pragma once
// A restore point's list of what it recorded, manifest.txt in the point's
// folder: a header, the game folder the point belongs to, then two lines per
// entry, its state and its path as the file system holds its names. A file's
// recorded bytes are stored beside the list under a number.
//
// The list lies in the restore folder, beside the set library, where players
// unpack downloaded packs; so it is read as any input is, and a point is used
// only when every entry names what a restore may touch (pointScope) and every
// stored name is one of the program's numbers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace modsetup {

inline constexpr std::string_view kListName = "manifest.txt";
// Far more than the 270 entries of an Apply, little enough to read at once.
inline constexpr std::size_t kMaxListBytes = 1 << 20;

enum class EntryState { File, NoFile, Folder, NoFolder };

struct PointEntry {
    EntryState state;
    std::string stored;  // State::File: the stored file's name in the point's folder
    std::string path;
};

struct PointList {
    std::string gameFolder;
    std::vector<PointEntry> entries;
};

// The list's bytes, CR LF after each line.
std::string listText(const PointList& list);
// The list the bytes hold, when they are in the list's form.
std::optional<PointList> parseList(std::string_view bytes);

// What the points of a game folder may name: the game mod folder, its files
// and folders, and the selections file.
struct PointScope {
    std::string modName;        // as mod.ini gives it; empty when it is no safe folder name
    std::string modNameOnDisk;  // the game mod folder's own name, when it exists
    std::string selections;     // the selections file's path
};

// The program's names for stored files: 1, 2, 3 ... without leading zeros.
bool isStoredName(std::string_view name);

// Whether the list may be used: each path in scope and named once (in any
// letter case), each file's stored name one of the program's and given once.
bool isSoundList(const PointList& list, const PointScope& scope);

// Paths as names match, regardless of ASCII letter case: a set of views of
// paths held elsewhere, so that a list of any size is checked and joined
// without a copy of each path.
struct FoldedHash {
    std::size_t operator()(std::string_view path) const;
};
struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const;
};
using PathSet = std::unordered_set<std::string_view, FoldedHash, FoldedEqual>;

}  // namespace modsetup
