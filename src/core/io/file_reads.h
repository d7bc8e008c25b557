#pragma once
// Reading open files, the same for every reader: a buffer filled as far as
// the file goes, and two files compared byte for byte.

#include <cstddef>
#include <string>

#include "core/io/host.h"

namespace modsetup {

// A file that exists yet could not be opened or read, whatever the system
// said, is Unreadable; one that is missing or leads outside keeps its cause.
Failure readFailure(Failure failure);

// Reads exactly size bytes, as far as the file gives them; returns how many.
std::size_t readFully(InputFile& file, char* buffer, std::size_t size);

// Whether two open files hold the same bytes: the very same file (one
// identity), or files of one known size whose bytes agree, read front to
// back as far as they do.
bool sameBytes(InputFile& a, InputFile& b);

// The whole file, read in pieces and appended, so that a small file costs a
// small string and a large one no more than maxBytes. A file that holds more
// than maxBytes fails as TooLarge (code: maxBytes); one that cannot be
// opened or read keeps its cause as readFailure gives it.
Result<std::string> readWholeFile(Host& host, const std::string& path, std::size_t maxBytes);

}  // namespace modsetup
