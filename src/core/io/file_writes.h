#pragma once
// How the program writes a file, the same on every system: the bytes go to a
// temporary file created new beside the target (temporary_name.h), which is
// renamed over the target only once it is whole. So a crash, a full disk or
// a refused write never leaves a half-written file: the target holds its old
// bytes or all of the new ones.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/io/host.h"

namespace modsetup {

// A file being written beside its target. Destroying it without a commit
// deletes the temporary file and leaves the target as it was.
class OutputFile {
public:
    OutputFile(Host& host, std::unique_ptr<NewFile> file, std::string temporary, std::string target, bool durable);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False once a write has failed; the file is then closed, and its
    // failure (the system's words for it: a full disk named as such) is what
    // commit gives.
    bool write(const char* data, std::size_t size);
    // Puts the file in its place. After InUse (another program holds the
    // target) it may be called again: only the rename is tried again.
    Status commit();
    // Why a write failed; only asked after write returned false.
    const Failure& writeFailure() const { return writeFailure_; }
    const std::string& target() const { return target_; }

private:
    Host& host_;
    std::unique_ptr<NewFile> file_;  // null once finished
    std::string temporary_;
    std::string target_;
    bool durable_;
    bool writeFailed_ = false;
    Failure writeFailure_;
    bool committed_ = false;
};

// Starts writing a file that replaces path on commit. durable: the program's
// own files reach the disk before they replace the old ones; copies leave
// that to the system, as a plain copy does. A copy of an open file takes its
// permissions. Failed when path is a folder; otherwise why the temporary file
// could not be created (the folder missing, not writable, ...).
Result<std::unique_ptr<OutputFile>> openReplace(Host& host, const std::string& path, bool durable = true,
                                                const InputFile* copyOf = nullptr);

// The copy of the regular file source, written beside target and ready to
// replace it on commit; null when target needs no copy, because it is source
// itself (a hard link, or a path through a linked folder) or holds its bytes
// already (an Apply again with the same choice): replacing a file costs the
// file system a new one, reading it costs little. Missing when source does
// not exist; Unreadable when it exists but cannot be read (a folder, a named
// pipe, a file another program holds); Outside when it lies below the set
// library by its name only; Failed when target is a folder. durable: the
// copy reaches the disk before it replaces the target, as the program's own
// files do.
Result<std::unique_ptr<OutputFile>> prepareCopy(Host& host, const std::string& source, const std::string& target,
                                                bool durable = false);

// What a copy of the regular file source over target would do, found by
// reading both and writing nothing: Keeps where target is source itself (a
// hard link, or a path through a linked folder) or holds its bytes already.
// Failures as prepareCopy's.
enum class CopyEffect { Adds, Replaces, Keeps };
Result<CopyEffect> compareCopy(Host& host, const std::string& source, const std::string& target);

// The copy of source written beside target, whatever target holds, ready to
// replace it on commit. Failures as prepareCopy's.
Result<std::unique_ptr<OutputFile>> writeCopy(Host& host, const std::string& source, const std::string& target,
                                              bool durable = false);

// prepareCopy, then the commit: a failed copy leaves an existing target whole.
Status copyFile(Host& host, const std::string& source, const std::string& target, bool durable = false);

// Writes bytes as the whole new content of path (durable), as openReplace does.
Status writeWholeFile(Host& host, const std::string& path, std::string_view bytes);

}  // namespace modsetup
