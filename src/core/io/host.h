#pragma once
// The few operations the program asks of the host system: its primitives.
// What the program builds from them (writing a file beside its target and
// renaming it over, copying a set's file, keeping reads inside the set
// library) is done once, in file_writes.h and confined_host.h, the same on
// every system.
//
// Paths reach the host as the program builds them: 8-bit strings joined with
// backslashes, relative to the working directory or absolute. Each system
// maps them to its own file system (see case_resolver.h for case-sensitive
// hosts).
//
// Set libraries come from anywhere, so every operation holds to these rules:
// a path holding a NUL byte names no file (the operation fails as for a
// missing one; the path is never cut at the NUL); nothing that is not a
// regular file (a named pipe, a device, a socket) is ever opened for reading,
// so no read can block or run without end; a file is read no further than the
// size it was found with on opening, however much is written to it meanwhile;
// and a new file is created new, never through a link and never over
// anything that stands at its name.
//
// Tests replace single operations by deriving from the system host, so that a
// failing write, a kill at a commit point or a recorded shell open can be
// injected without touching the file system.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/base/result.h"

namespace modsetup {

// What stands at a name itself, a link not followed: a symbolic link or a
// junction is a Link whatever it leads to; Special is a named pipe, a device
// or a socket.
enum class NodeKind { Missing, File, Directory, Link, Special };

struct FolderEntry {
    std::string name;          // exactly as the file system reports it
    bool isDirectory = false;  // a link to a folder counts as one
    bool isHidden = false;     // attributes a Windows file system has; never set on POSIX
    bool isSystem = false;
    // Windows: the system's 8-bit code page cannot write the name, so no path
    // of the program can name the entry. name then shows it for messages
    // only, each character the code page lacks as \u{XXXX}.
    bool nameUnrepresentable = false;
    NodeKind node = NodeKind::File;  // the entry itself, a link not followed
};

// Outside: it exists, but below the set library by its name only (see confined_host.h).
enum class PathKind { Missing, File, Directory, Outside };

// The native handle of a window (a window handle on Windows); 0 for none.
using WindowHandle = std::uintptr_t;

// The size of a file that does not tell it.
inline constexpr std::uint64_t kUnknownSize = UINT64_MAX;

// Which file an open file is, whatever name it was opened by: two names of
// one hard link, or a path through a linked folder, give the same identity.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// A file opened for reading, read front to back.
class InputFile {
public:
    virtual ~InputFile() = default;
    // Reads up to size bytes; returns how many were read, 0 at the end (the
    // size the file was found with on opening) or on error (see failed).
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    // Whether a read failed, rather than reaching the end.
    virtual bool failed() const { return false; }
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
    // Moves to offset bytes from the file's start, at most its size, so that
    // the next read begins there; false where the file cannot (an archive's
    // reader then reads it front to back only).
    virtual bool seek(std::uint64_t /*offset*/) { return false; }
    // The bytes the file held when it was opened, and past which it is not
    // read; kUnknownSize for a file that does not tell.
    virtual std::uint64_t size() const { return kUnknownSize; }
    // None for a file that does not tell.
    virtual std::optional<FileIdentity> identity() const { return std::nullopt; }
};

// A file being created, not yet in its place: file_writes.h renames it over
// its target once it is whole.
class NewFile {
public:
    virtual ~NewFile() = default;
    // False once a write has failed; every later write then fails too.
    virtual bool write(const char* data, std::size_t size) = 0;
    // Closes the file, first bringing its bytes to the disk when durable.
    virtual Status finish(bool durable) = 0;
};

// A file this process holds for as long as the object lives: the system lets
// go of it when the process ends, however it ends. What lies beside it is in
// use while it is held (an import's staging folder).
class HeldFile {
public:
    virtual ~HeldFile() = default;
};

// Reads of the files and folders below one folder, judged by where they
// really lie (a set library came as an archive and may hold links that lead
// anywhere): a path that leads outside is refused with Cause::Outside, or
// reported PathKind::Outside. See confined_host.h, which makes the program's
// reads below the set library go through it.
class Confinement {
public:
    virtual ~Confinement() = default;
    virtual Result<std::unique_ptr<InputFile>> openRead(const std::string& path) = 0;
    virtual PathKind pathKind(const std::string& path) = 0;
    virtual Result<std::vector<FolderEntry>> listFolder(const std::string& folder) = 0;
};

class Host {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~Host() = default;

    // Full path of the running program file, as the host reported it when it
    // was made (a program file replaced while it runs changes nothing).
    virtual std::string programPath() = 0;
    // Full path of the working directory, the game's folder; empty when the
    // system cannot tell it in the program's bytes.
    virtual std::string workingDirectory() = 0;

    // Opens an existing regular file for reading. Missing, NotRegular (a
    // named pipe, a device), Unreadable (a folder, no access), with the
    // system's text where it gave one.
    virtual Result<std::unique_ptr<InputFile>> openRead(const std::string& path) = 0;

    // Creates a new file at path, never through a link and never over what
    // stands there (Exists). A copy of an open file takes its permissions
    // where the system keeps them.
    virtual Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* copyOf) = 0;
    // Renames the file at from over the file at to, which it replaces in one
    // step; durable: the rename itself reaches the disk before it returns.
    virtual Status moveOver(const std::string& from, const std::string& to, bool durable) = 0;
    // Deletes a file: Missing when there is none, Failed for a folder.
    virtual Status deleteFile(const std::string& path) = 0;
    // Creates one directory level: Exists when something is there already.
    virtual Status createDirectory(const std::string& path) = 0;
    // Removes an empty directory: Failed for one that holds anything.
    virtual Status removeDirectory(const std::string& path) = 0;
    // Gives the existing file a second name, link (a hard link), never over
    // what stands there; Failed where the file system keeps no such links.
    virtual Status createLink(const std::string& existing, const std::string& link) = 0;
    // Renames a folder, with all it holds, to a name on the same volume where
    // nothing stands: Exists when something does (it is never replaced).
    virtual Status moveFolder(const std::string& from, const std::string& to) = 0;
    // Moves a file or a folder into the system's trash, from where the user
    // can put it back: never deletes it. Failed where there is no trash.
    virtual Status moveToTrash(const std::string& path) = 0;
    // Holds the file at path, made when missing, until the object is
    // destroyed or the process ends: InUse while another process holds it.
    virtual Result<std::unique_ptr<HeldFile>> holdFile(const std::string& path) = 0;

    // Missing, Directory, or File for anything else that exists.
    virtual PathKind pathKind(const std::string& path) = 0;
    // What stands at path itself: its last name is not followed (a link or a
    // junction there is Link), the folders on the way are. Whoever must not
    // be led anywhere by a link looks at each name on the way with it.
    virtual NodeKind nodeKind(const std::string& path) = 0;
    // The last name of path as the file system holds it, in its letter case
    // (the program's paths match names regardless of it); nothing when
    // nothing is there.
    virtual std::optional<std::string> nameOnDisk(const std::string& path) = 0;
    // The entries of a folder, in the order the file system yields them, "."
    // and ".." included where the host reports them.
    virtual Result<std::vector<FolderEntry>> listFolder(const std::string& folder) = 0;

    // The host for paths the user gave (a file dialog's answer): each used
    // exactly as it is, in the system's own form, with no letter-case
    // matching and no separators mapped.
    virtual Host& usersOwnPaths() = 0;

    // The reads below folder (a path as the program writes it), where they
    // really lie; where the folder really is (it may be a link) is found now.
    virtual std::unique_ptr<Confinement> confine(const std::string& folder) = 0;

    // Asks the system shell to open a document (the launch script), minimised,
    // from the working directory, without waiting for what it starts. Any
    // message of the shell's belongs to the owner window. A failure carries
    // the system's reason, where there is one.
    virtual Status shellOpen(const std::string& path, WindowHandle owner) = 0;

    // The time, and a wait, for what is tried again until a deadline.
    virtual Clock::time_point now() { return Clock::now(); }
    virtual void sleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }
};

// The host the program runs on (POSIX or Win32, chosen at build time).
std::unique_ptr<Host> makeSystemHost();

}  // namespace modsetup
