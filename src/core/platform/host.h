#pragma once
// The few operations the program asks of the host system. Paths reach them as
// the program builds them: 8-bit strings joined with backslashes, relative to
// the working directory or absolute. Each implementation maps them to its own
// file system (see case_resolver.h for case-sensitive hosts).
//
// Set libraries come from anywhere, so every operation holds to three rules:
// a path holding a NUL byte names no file (the operation fails as for a
// missing one; the path is never cut at the NUL); nothing that is not a
// regular file (a named pipe, a device, a socket) is ever opened for reading
// or copied, so no read can block or run without end; a file is read no
// further than the size it was found with on opening, however much is
// written to it meanwhile; and every file the program writes goes to a
// temporary file that is created new in the target's folder, never through a
// link, and then renamed over the target.
//
// Tests replace single operations by deriving from the system host, so that a
// failing copy, a write that stops midway or a recorded shell open can be
// injected without touching the file system.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace modsetup {

struct FolderEntry {
    std::string name;  // exactly as the file system reports it
    bool isDirectory = false;
    bool isHidden = false;  // attributes a Windows file system has; never set on POSIX
    bool isSystem = false;
    // Windows: the system's 8-bit code page cannot write the name, so no path
    // of the program can name the entry. name then shows it for messages
    // only, each character the code page lacks as \u{XXXX}.
    bool nameUnrepresentable = false;
};

// Outside: it exists, but below the set library by its name only (see confineBelow).
enum class PathKind { Missing, File, Directory, Outside };

// The native handle of a window (a window handle on Windows); 0 for none.
using WindowHandle = std::uintptr_t;

// Why a file operation was not done.
enum class FileFailure {
    None,
    Missing,       // nothing there: a copy's source, or a file to delete
    Unreadable,    // a copy's source exists but cannot be opened or read
    Outside,       // a copy's source below the set library really lies outside it (see confineBelow)
    InUse,         // another program held the file for longer than the host waits
    AccessDenied,  // the system does not let this user write there
    Failed,        // any other cause
};

// What a write, a copy, a deletion or a folder creation came to: true when
// it was done. A plain false is a failure for another cause.
class FileResult {
public:
    FileResult(bool done) : failure_(done ? FileFailure::None : FileFailure::Failed) {}
    FileResult(FileFailure failure) : failure_(failure) {}
    operator bool() const { return failure_ == FileFailure::None; }
    FileFailure failure() const { return failure_; }

private:
    FileFailure failure_;
};

// The size of a file that does not tell it.
inline constexpr std::uint64_t kUnknownSize = UINT64_MAX;

// A file opened for reading, read front to back.
class InputFile {
public:
    virtual ~InputFile() = default;
    // Reads up to size bytes; returns how many were read, 0 at the end (the
    // size the file was found with on opening) or on error.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    // Passes over the next count bytes without handing them out; false when
    // the file ends before them or cannot be read. The hosts move the file's
    // position; a file that cannot reads them and drops them.
    virtual bool skip(std::uint64_t count) {
        char dropped[4096];
        while (count > 0) {
            const std::size_t got =
                read(dropped, count < sizeof dropped ? static_cast<std::size_t>(count) : sizeof dropped);
            if (got == 0) return false;
            count -= got;
        }
        return true;
    }
    // The bytes the file held when it was opened, and past which it is not
    // read; kUnknownSize for a file that does not tell.
    virtual std::uint64_t size() const { return kUnknownSize; }
};

// A file being written: the bytes go to a temporary file in the target's folder,
// which replaces the target only on commit(). Destroying it without a successful
// commit() removes the temporary file and leaves the target as it was.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual bool write(const char* data, std::size_t size) = 0;
    virtual FileResult commit() = 0;
};

class Host {
public:
    virtual ~Host() = default;

    // Full path of the running program file, as the host reported it when it
    // was made (a program file replaced while it runs changes nothing).
    virtual std::string programPath() = 0;

    // Opens an existing regular file for reading. On failure returns null and
    // sets reason to the host's text for the cause (e.g. "No such file or
    // directory", or kNotRegularFileReason for a named pipe or a device).
    virtual std::unique_ptr<InputFile> openRead(const std::string& path, std::string& reason) = 0;

    // Starts writing a file that replaces path on commit; null, with failure
    // set, when the temporary file cannot be created (folder missing, not
    // writable, ...).
    virtual std::unique_ptr<OutputFile> openReplace(const std::string& path, FileFailure& failure) = 0;

    // Creates one directory level; true when it was created (a folder that
    // is there already is a failure).
    virtual FileResult createDirectory(const std::string& path) = 0;
    // Missing when there is no file to delete.
    virtual FileResult deleteFile(const std::string& path) = 0;
    // Copies the regular file source over target: the copy is written beside
    // target and renamed over it, so a failed copy leaves an existing target
    // whole. A source that is the target file itself (a hard link, or a path
    // through a linked folder), or a target that holds the source's bytes
    // already, is left as it is, and the copy is done. Missing when the
    // source does not exist; Unreadable when it exists but cannot be read (a
    // folder, a named pipe, a file another program holds); Outside when it
    // lies below the set library by its name only.
    //
    // Windows: a replace or a deletion that another program stands in the
    // way of is tried again for a while before it counts as InUse (see
    // win32_host.cpp); POSIX has no such holds.
    virtual FileResult copyFile(const std::string& source, const std::string& target) = 0;
    // Missing, Directory, or File for anything else that exists; Outside
    // below the set library for what really lies outside it.
    virtual PathKind pathKind(const std::string& path) = 0;

    // Lists the entries matched by a pattern "<folder>\*.*", in the order the
    // file system yields them, "." and ".." included where the host reports
    // them. False when the folder cannot be listed.
    virtual bool listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) = 0;

    // Keeps the program inside the set library, a folder that came as an
    // archive and may hold links that lead anywhere: from now on a file or
    // folder below folder (a path as the program writes it) is read, copied
    // or listed only where it really lies inside folder, however links lead,
    // and refused otherwise (openRead gives kOutsideLibraryReason). Links
    // that stay inside work. The folder itself may be a link: where it really
    // is is found once, here. Each load, Apply and check of a set library
    // begins with this; it holds until the next call.
    virtual void confineBelow(const std::string& folder) = 0;

    // Asks the system shell to open a document (the launch script), minimised,
    // from the working directory, without waiting for what it starts. Any
    // message of the shell's belongs to the owner window. True when the shell
    // took the document; otherwise false with the system's reason, where there
    // is one, in reason.
    virtual bool shellOpen(const std::string& path, WindowHandle owner, std::string& reason) = 0;
};

// The host the program runs on (POSIX or Win32, chosen at build time).
std::unique_ptr<Host> makeSystemHost();

}  // namespace modsetup
