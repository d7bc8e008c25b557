#include "core/platform/posix/posix_trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/platform/posix/posix_files.h"

namespace modsetup {
namespace {

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string lastNameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

bool isFolder(const std::string& path, struct stat& info) {
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Makes each missing folder of path, the new ones for this user alone.
bool makeFolders(const std::string& path) {
    struct stat info;
    if (isFolder(path, info)) return true;
    if (path.empty() || path == "/" || !makeFolders(parentOf(path))) return false;
    return ::mkdir(path.c_str(), 0700) == 0 || (errno == EEXIST && isFolder(path, info));
}

// The path as a trash record writes it: bytes other than letters, digits,
// "/" and "-_.~" as %XX.
std::string escaped(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            std::string_view("/-_.~").find(c) != std::string_view::npos) {
            text += c;
        } else {
            ((text += '%') += kHex[byte >> 4]) += kHex[byte & 15];
        }
    }
    return text;
}

std::string homeTrash() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return std::string(data) + "/Trash";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return {};
    return std::string(home) + "/.local/share/Trash";
}

// The highest folder above path on the same volume: where the volume's own
// trash folders lie.
std::string topFolderOf(const std::string& path, dev_t volume) {
    std::string top = path;
    struct stat info;
    while (top != "/") {
        const std::string parent = parentOf(top);
        if (::stat(parent.c_str(), &info) != 0 || info.st_dev != volume) break;
        top = parent;
    }
    return top;
}

// The volume's trash for this user: "$top/.Trash/$uid" where the
// administrator made "$top/.Trash" (a sticky folder, no link), otherwise
// "$top/.Trash-$uid".
std::string volumeTrash(const std::string& top) {
    const std::string uid = std::to_string(::getuid());
    const std::string base = top == "/" ? std::string() : top;
    struct stat info;
    if (isFolder(base + "/.Trash", info) && (info.st_mode & S_ISVTX) != 0) {
        std::string trash = base + "/.Trash/" + uid;
        if (makeFolders(trash)) return trash;
    }
    return base + "/.Trash-" + uid;
}

std::string deletionDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

}  // namespace

Status moveToFreedesktopTrash(const std::string& hostPath) {
    struct stat item;
    if (::lstat(hostPath.c_str(), &item) != 0) return failureOf(errno);
    char* realParent = ::realpath(parentOf(hostPath).c_str(), nullptr);
    if (realParent == nullptr) return failureOf(errno);
    std::string absolute(realParent);
    std::free(realParent);
    const std::string name = lastNameOf(hostPath);
    absolute = (absolute == "/" ? std::string() : absolute) + "/" + name;

    std::string trash = homeTrash();
    struct stat folder;
    if (trash.empty() || !makeFolders(trash) || ::stat(trash.c_str(), &folder) != 0 || folder.st_dev != item.st_dev)
        trash = volumeTrash(topFolderOf(absolute, item.st_dev));
    if (!makeFolders(trash + "/files") || !makeFolders(trash + "/info")) return failureOf(errno);

    // The record is made first, new: its name reserves the name in files/.
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const std::string stored = attempt == 1 ? name : name + "." + std::to_string(attempt);
        const std::string record = trash + "/info/" + stored + ".trashinfo";
        const int fd = ::open(record.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return failureOf(errno);
        }
        const std::string text = "[Trash Info]\nPath=" + escaped(absolute) + "\nDeletionDate=" + deletionDate() + "\n";
        const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::close(fd);
        const std::string target = trash + "/files/" + stored;
        struct stat taken;
        if (written && ::lstat(target.c_str(), &taken) != 0 && ::rename(hostPath.c_str(), target.c_str()) == 0)
            return done();
        const int error = !written ? EIO : errno;
        ::unlink(record.c_str());
        if (written && ::lstat(target.c_str(), &taken) == 0) continue;  // taken in files/ without a record
        return failureOf(error);
    }
    return Failure{Cause::Failed, errorText(EEXIST)};
}

}  // namespace modsetup
