#pragma once
// A host whose files and folders are held in memory, for the tests that
// drive the program through its handlers rather than its file system: the
// presenter's tests run as fast, and alike, on every host. Paths are the
// program's own (backslashes, "/" too), absolute below a drive ("C:\game")
// or relative to the working directory; names match regardless of ASCII
// letter case, and a path with an empty name between two others names no
// file, as on the POSIX host. Listings come in name order. There are no
// links to leave a folder by, so a confinement reads what the host holds.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/io/host.h"

namespace modsetup::testing {

class MemoryHost final : public Host {
public:
    // The program file lies in the working directory, the game's folder.
    explicit MemoryHost(std::string programPath = "C:\\game\\modsetup.exe", std::string workingDirectory = "C:\\game");

    // The test's part: files and folders made, read and looked at directly.
    void write(const std::string& path, std::string bytes);  // makes the folders on the way
    void makeFolder(const std::string& path);                // and those on the way
    std::optional<std::string> read(const std::string& path) const;
    void remove(const std::string& path);  // a file, or a folder with all it holds
    // Every file below a folder, by its path from there with "/", and its bytes.
    std::map<std::string, std::string> filesBelow(const std::string& folder) const;

    struct ShellOpen {
        std::string path;
        WindowHandle owner;
        bool operator==(const ShellOpen&) const = default;
    };
    std::vector<ShellOpen> opened;  // what the shell was asked to open
    std::string shellRefusal;       // when set, the shell refuses every open with it
    // What went to the trash, in order: each item's name and its files (by
    // their paths from the item with "/"; a file alone by its name).
    struct Trashed {
        std::string name;
        std::map<std::string, std::string> files;
    };
    std::vector<Trashed> trashed;
    std::string trashRefusal;  // when set, the trash refuses everything with it
    // How many bytes a read gives at most: the readers meet every way a file
    // can arrive, as from a slow disk (the fuzz targets choose it).
    std::size_t readPiece = SIZE_MAX;

    std::string programPath() override { return programPath_; }
    std::string workingDirectory() override { return workingDirectory_; }
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override;
    Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* copyOf) override;
    Status moveOver(const std::string& from, const std::string& to, bool durable) override;
    Status deleteFile(const std::string& path) override;
    Status createDirectory(const std::string& path) override;
    Status removeDirectory(const std::string& path) override;
    Status createLink(const std::string& existing, const std::string& link) override;
    Status moveFolder(const std::string& from, const std::string& to) override;
    Status moveToTrash(const std::string& path) override;
    // Held by another process: holdFile(path) then says InUse.
    Result<std::unique_ptr<HeldFile>> holdFile(const std::string& path) override;
    PathKind pathKind(const std::string& path) override;
    NodeKind nodeKind(const std::string& path) override;
    std::optional<std::string> nameOnDisk(const std::string& path) override;
    Host& usersOwnPaths() override { return *this; }
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override;
    std::unique_ptr<Confinement> confine(const std::string&) override;
    Status shellOpen(const std::string& path, WindowHandle owner) override;

private:
    struct Node {
        std::string name;                    // as given when made
        std::shared_ptr<std::string> bytes;  // shared by a file's links; null for a folder
    };
    // The absolute path's names, "." and ".." applied; nothing for a path
    // that names no file.
    std::optional<std::vector<std::string>> namesOf(const std::string& path) const;
    // Its key: the names in lower case, joined by "\".
    std::optional<std::string> keyOf(const std::string& path) const;
    static std::string parentOf(const std::string& key);
    bool isFolder(const std::string& key) const;

    std::string programPath_;
    std::string workingDirectory_;
    std::map<std::string, Node> nodes_;
    std::set<std::string> held_;
};

}  // namespace modsetup::testing
