#pragma once
// The trash of the freedesktop.org desktops, which their file managers show
// and restore from: a file or folder moved there keeps a record of where it
// came from and when.

#include <string>

#include "core/base/result.h"

namespace modsetup {

// Moves what lies at hostPath (a path of the system's, with "/") into the
// trash of its own volume: the user's trash when it lies on that volume,
// otherwise the volume's trash folder for this user, made when missing. It is
// renamed there, never copied, so it is never half moved.
Status moveToFreedesktopTrash(const std::string& hostPath);

}  // namespace modsetup
