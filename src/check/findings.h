#pragma once
// What a check of a set library finds. Each finding belongs to one group of
// the report (mod.ini, a slot folder, the selections file), names the file or
// folder concerned and says what the program will do because of it.

#include <cstddef>
#include <string>
#include <vector>

namespace modsetup::check {

enum class Severity {
    Warning,  // Apply will skip something or write what the author likely did not mean
    Error,    // the window will show an error, or Apply and Play will refuse
};

enum class Group { ModIni, SlotFolder, Selections };

struct Finding {
    Severity severity;
    Group group;
    std::size_t slot = 0;  // for Group::SlotFolder: the first slot of the folder
    std::string place;     // the file or folder as the report shows it
    std::string text;
};

struct SlotFolderCount {
    std::size_t slot;  // the first slot of the folder
    std::size_t sets;  // sets its list offers
};

struct CheckResult {
    std::vector<Finding> findings;             // grouped: mod.ini, slot folders in slot order, selections file
    std::vector<SlotFolderCount> slotFolders;  // the fifteen, in slot order
    std::size_t sets = 0;                      // sets checked
    std::size_t files = 0;                     // files of sets looked at

    std::size_t count(Severity severity) const;
};

}  // namespace modsetup::check
