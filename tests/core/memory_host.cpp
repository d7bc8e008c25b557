#include "memory_host.h"

#include <algorithm>
#include <cstring>

#include "test_support.h"

namespace modsetup::testing {
namespace {

constexpr std::string_view kMissingText = "No such file or directory";
constexpr std::string_view kFolderText = "Permission denied";

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// A file's bytes as they were when it was opened.
class MemoryInputFile final : public InputFile {
public:
    MemoryInputFile(const std::shared_ptr<std::string>& bytes, std::size_t piece)
        : bytes_(*bytes), identity_{0, reinterpret_cast<std::uintptr_t>(bytes.get())}, piece_(piece) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t count = std::min({size, piece_, bytes_.size() - offset_});
        std::memcpy(buffer, bytes_.data() + offset_, count);
        offset_ += count;
        return count;
    }
    bool seek(std::uint64_t offset) override {
        if (offset > bytes_.size()) return false;
        offset_ = static_cast<std::size_t>(offset);
        return true;
    }
    std::uint64_t size() const override { return bytes_.size(); }
    std::optional<FileIdentity> identity() const override { return identity_; }

private:
    std::string bytes_;
    FileIdentity identity_;
    std::size_t piece_;
    std::size_t offset_ = 0;
};

class MemoryNewFile final : public NewFile {
public:
    explicit MemoryNewFile(std::shared_ptr<std::string> bytes) : bytes_(std::move(bytes)) {}
    bool write(const char* data, std::size_t size) override {
        bytes_->append(data, size);
        return true;
    }
    Status finish(bool) override { return done(); }

private:
    std::shared_ptr<std::string> bytes_;
};

// Held until destroyed: takes its path out of the host's held ones.
class MemoryHeldFile final : public HeldFile {
public:
    MemoryHeldFile(std::set<std::string>& held, std::string key) : held_(held), key_(std::move(key)) {}
    ~MemoryHeldFile() override { held_.erase(key_); }

private:
    std::set<std::string>& held_;
    std::string key_;
};

}  // namespace

MemoryHost::MemoryHost(std::string programPath, std::string workingDirectory)
    : programPath_(std::move(programPath)), workingDirectory_(std::move(workingDirectory)) {
    nodes_[lowerAscii(workingDirectory_.substr(0, 2))] = {workingDirectory_.substr(0, 2), nullptr};
    makeFolder(workingDirectory_);
}

std::optional<std::vector<std::string>> MemoryHost::namesOf(const std::string& path) const {
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    std::string absolute = path;
    if (path.size() < 2 || path[1] != ':')
        absolute = isSeparator(path[0]) ? workingDirectory_.substr(0, 2) + path : workingDirectory_ + "\\" + path;
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= absolute.size(); ++i) {
        if (i < absolute.size() && !isSeparator(absolute[i])) continue;
        const std::string name = absolute.substr(start, i - start);
        const bool last = i + 1 >= absolute.size();
        if (name.empty() && !last) return std::nullopt;  // a doubled separator
        if (name == "..") {
            if (names.size() > 1) names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        start = i + 1;
    }
    return names;
}

std::optional<std::string> MemoryHost::keyOf(const std::string& path) const {
    const auto names = namesOf(path);
    if (!names) return std::nullopt;
    std::string key = lowerAscii(names->front());
    for (std::size_t i = 1; i < names->size(); ++i) key.append("\\").append(lowerAscii((*names)[i]));
    return key;
}

std::string MemoryHost::parentOf(const std::string& key) {
    const std::size_t cut = key.rfind('\\');
    return cut == std::string::npos ? std::string() : key.substr(0, cut);
}

bool MemoryHost::isFolder(const std::string& key) const {
    const auto node = nodes_.find(key);
    return node != nodes_.end() && node->second.bytes == nullptr;
}

void MemoryHost::makeFolder(const std::string& path) {
    const auto names = namesOf(path);
    if (!names) return;
    std::string key;
    for (const std::string& name : *names) {
        key.append(key.empty() ? "" : "\\").append(lowerAscii(name));
        if (nodes_.count(key) == 0) nodes_[key] = {name, nullptr};
    }
}

void MemoryHost::write(const std::string& path, std::string bytes) {
    const auto key = keyOf(path);
    if (!key) return;
    makeFolder(path.substr(0, path.find_last_of("\\/")));
    const std::size_t cut = path.find_last_of("\\/");
    nodes_[*key] = {cut == std::string::npos ? path : path.substr(cut + 1),
                    std::make_shared<std::string>(std::move(bytes))};
}

std::optional<std::string> MemoryHost::read(const std::string& path) const {
    const auto key = keyOf(path);
    const auto node = key ? nodes_.find(*key) : nodes_.end();
    if (node == nodes_.end() || node->second.bytes == nullptr) return std::nullopt;
    return *node->second.bytes;
}

void MemoryHost::remove(const std::string& path) {
    const auto key = keyOf(path);
    if (!key) return;
    nodes_.erase(*key);
    std::erase_if(nodes_, [&](const auto& node) { return node.first.starts_with(*key + "\\"); });
}

std::map<std::string, std::string> MemoryHost::filesBelow(const std::string& folder) const {
    std::map<std::string, std::string> files;
    const auto key = keyOf(folder);
    if (!key) return files;
    for (const auto& [path, node] : nodes_) {
        if (!path.starts_with(*key + "\\") || node.bytes == nullptr) continue;
        std::string relative = path.substr(key->size() + 1);
        std::replace(relative.begin(), relative.end(), '\\', '/');
        files[relative] = *node.bytes;
    }
    return files;
}

Result<std::unique_ptr<InputFile>> MemoryHost::openRead(const std::string& path) {
    const auto key = keyOf(path);
    const auto node = key ? nodes_.find(*key) : nodes_.end();
    if (node == nodes_.end()) return Failure{Cause::Missing, std::string(kMissingText)};
    if (node->second.bytes == nullptr) return Failure{Cause::Unreadable, std::string(kFolderText)};
    return std::unique_ptr<InputFile>(std::make_unique<MemoryInputFile>(node->second.bytes, readPiece));
}

Result<std::unique_ptr<NewFile>> MemoryHost::createNew(const std::string& path, const InputFile*) {
    const auto key = keyOf(path);
    if (!key || !isFolder(parentOf(*key))) return Failure{Cause::Missing, std::string(kMissingText)};
    if (nodes_.count(*key) > 0) return Cause::Exists;
    const std::size_t cut = path.find_last_of("\\/");
    auto bytes = std::make_shared<std::string>();
    nodes_[*key] = {cut == std::string::npos ? path : path.substr(cut + 1), bytes};
    return std::unique_ptr<NewFile>(std::make_unique<MemoryNewFile>(bytes));
}

Status MemoryHost::moveOver(const std::string& from, const std::string& to, bool) {
    const auto source = keyOf(from);
    const auto target = keyOf(to);
    if (!source || !target || nodes_.count(*source) == 0 || !isFolder(parentOf(*target))) return Cause::Missing;
    if (isFolder(*target) || (isFolder(*source) && nodes_.count(*target) > 0)) return Cause::Failed;
    Node moved = nodes_[*source];
    const std::size_t cut = to.find_last_of("\\/");
    moved.name = cut == std::string::npos ? to : to.substr(cut + 1);
    std::map<std::string, Node> below;  // a folder's contents move with it
    for (const auto& [path, node] : nodes_)
        if (path.starts_with(*source + "\\")) below[*target + path.substr(source->size())] = node;
    remove(from);
    nodes_[*target] = moved;
    nodes_.insert(below.begin(), below.end());
    return done();
}

Status MemoryHost::deleteFile(const std::string& path) {
    const auto key = keyOf(path);
    const auto node = key ? nodes_.find(*key) : nodes_.end();
    if (node == nodes_.end()) return Cause::Missing;
    if (node->second.bytes == nullptr) return Cause::Failed;
    nodes_.erase(node);
    return done();
}

Status MemoryHost::createDirectory(const std::string& path) {
    const auto key = keyOf(path);
    if (!key || !isFolder(parentOf(*key))) return Cause::Missing;
    if (nodes_.count(*key) > 0) return Cause::Exists;
    std::string name = path;
    while (!name.empty() && isSeparator(name.back())) name.pop_back();
    const std::size_t cut = name.find_last_of("\\/");
    nodes_[*key] = {cut == std::string::npos ? name : name.substr(cut + 1), nullptr};
    return done();
}

Status MemoryHost::removeDirectory(const std::string& path) {
    const auto key = keyOf(path);
    if (!key || !isFolder(*key)) return Cause::Missing;
    for (const auto& node : nodes_)
        if (node.first.starts_with(*key + "\\")) return Cause::Failed;
    nodes_.erase(*key);
    return done();
}

Status MemoryHost::createLink(const std::string& existing, const std::string& link) {
    const auto source = keyOf(existing);
    const auto target = keyOf(link);
    const auto node = source ? nodes_.find(*source) : nodes_.end();
    if (node == nodes_.end() || node->second.bytes == nullptr || !target || !isFolder(parentOf(*target)))
        return Cause::Missing;
    if (nodes_.count(*target) > 0) return Cause::Exists;
    const std::size_t cut = link.find_last_of("\\/");
    nodes_[*target] = {cut == std::string::npos ? link : link.substr(cut + 1), node->second.bytes};
    return done();
}

Status MemoryHost::moveFolder(const std::string& from, const std::string& to) {
    const auto source = keyOf(from);
    const auto target = keyOf(to);
    if (!source || !target || !isFolder(*source) || !isFolder(parentOf(*target))) return Cause::Missing;
    if (nodes_.count(*target) > 0) return Cause::Exists;
    return moveOver(from, to, false);
}

Status MemoryHost::moveToTrash(const std::string& path) {
    const auto key = keyOf(path);
    if (!key || nodes_.count(*key) == 0) return Cause::Missing;
    if (!trashRefusal.empty()) return Failure{Cause::Failed, trashRefusal};
    Trashed item{nodes_[*key].name, {}};
    if (isFolder(*key)) item.files = filesBelow(path);
    else item.files = {{item.name, *nodes_[*key].bytes}};
    trashed.push_back(std::move(item));
    remove(path);
    return done();
}

Result<std::unique_ptr<HeldFile>> MemoryHost::holdFile(const std::string& path) {
    const auto key = keyOf(path);
    if (!key || !isFolder(parentOf(*key))) return Cause::Missing;
    if (held_.count(*key) > 0) return Cause::InUse;
    if (nodes_.count(*key) == 0) write(path, {});
    held_.insert(*key);
    return std::unique_ptr<HeldFile>(std::make_unique<MemoryHeldFile>(held_, *key));
}

PathKind MemoryHost::pathKind(const std::string& path) {
    const auto key = keyOf(path);
    const auto node = key ? nodes_.find(*key) : nodes_.end();
    if (node == nodes_.end()) return PathKind::Missing;
    return node->second.bytes == nullptr ? PathKind::Directory : PathKind::File;
}

NodeKind MemoryHost::nodeKind(const std::string& path) {
    const PathKind kind = pathKind(path);
    return kind == PathKind::Missing ? NodeKind::Missing
           : kind == PathKind::File  ? NodeKind::File
                                     : NodeKind::Directory;
}

std::optional<std::string> MemoryHost::nameOnDisk(const std::string& path) {
    const auto key = keyOf(path);
    const auto node = key ? nodes_.find(*key) : nodes_.end();
    if (node == nodes_.end()) return std::nullopt;
    return node->second.name;
}

Result<std::vector<FolderEntry>> MemoryHost::listFolder(const std::string& folder) {
    const auto key = keyOf(folder);
    if (!key || !isFolder(*key)) return Failure{Cause::Missing, std::string(kMissingText)};
    std::vector<FolderEntry> entries;
    for (const auto& [path, node] : nodes_) {
        if (!path.starts_with(*key + "\\") || path.find('\\', key->size() + 1) != std::string::npos) continue;
        FolderEntry entry{node.name, node.bytes == nullptr};
        entry.node = node.bytes == nullptr ? NodeKind::Directory : NodeKind::File;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::unique_ptr<Confinement> MemoryHost::confine(const std::string&) {
    return std::make_unique<UnconfinedReads>(*this);
}

Status MemoryHost::shellOpen(const std::string& path, WindowHandle owner) {
    opened.push_back({path, owner});
    if (shellRefusal.empty()) return done();
    return Failure{Cause::Failed, shellRefusal};
}

}  // namespace modsetup::testing
