#pragma once
// The two text files of a demo weapon set, as line files with CR LF ends.

#include <cstddef>
#include <string>

namespace modsetup::demo {

// name.txt: the weapon's display name with the set's theme ("Camo Desert
// Eagles"); the first set of each slot writes "0", which stands for its own
// set name.
std::string nameFileText(std::size_t slot, std::size_t setIndex);

// stats.ini: the nine values of the slot's weapon, varied a little per set.
std::string statsFileText(std::size_t slot, std::size_t setIndex);

}  // namespace modsetup::demo
