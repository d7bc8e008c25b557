#pragma once
// How the POSIX host opens the launch script: the game is a Windows program,
// and the script a Windows command script, so Wine opens it.

#include <string>

#include "core/base/result.h"

namespace modsetup {

// Has Wine's shell open the script at hostPath from its folder, and waits
// for Wine's verdict only, never for what it starts. A failure names the
// Wine program tried (Failure::program): NotStarted with the system's words,
// EndedWithStatus or EndedBySignal with the number.
Status openWithWine(const std::string& hostPath);

}  // namespace modsetup
