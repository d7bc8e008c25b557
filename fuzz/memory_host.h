#pragma once
// A host whose only file is held in memory, for the fuzz targets: reading it
// hands out the bytes in pieces of a chosen size, so that the readers meet
// every way a file can arrive. Nothing else exists on it.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "core/platform/host.h"

namespace modsetup::fuzz {

class MemoryInputFile final : public InputFile {
public:
    MemoryInputFile(std::string_view bytes, std::size_t piece) : bytes_(bytes), piece_(piece == 0 ? 1 : piece) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t count = std::min({size, piece_, bytes_.size()});
        if (count > 0) std::memcpy(buffer, bytes_.data(), count);
        bytes_.remove_prefix(count);
        return count;
    }

private:
    std::string_view bytes_;
    std::size_t piece_;
};

class MemoryHost final : public Host {
public:
    // path names the one file; with missing set it cannot be opened at all.
    MemoryHost(std::string path, std::string_view bytes, std::size_t piece, bool missing = false)
        : path_(std::move(path)), bytes_(bytes), piece_(piece), missing_(missing) {}

    std::string programPath() override { return {}; }
    std::string workingDirectory() override { return {}; }
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override {
        if (missing_ || path != path_) return Failure{Cause::Missing, "No such file or directory"};
        return std::unique_ptr<InputFile>(std::make_unique<MemoryInputFile>(bytes_, piece_));
    }
    Result<std::unique_ptr<NewFile>> createNew(const std::string&, const InputFile*) override { return Cause::Failed; }
    Status moveOver(const std::string&, const std::string&, bool) override { return Cause::Failed; }
    Status deleteFile(const std::string&) override { return Cause::Failed; }
    Status createDirectory(const std::string&) override { return Cause::Failed; }
    Status removeDirectory(const std::string&) override { return Cause::Failed; }
    Status createLink(const std::string&, const std::string&) override { return Cause::Failed; }
    PathKind pathKind(const std::string& path) override { return path == path_ ? PathKind::File : PathKind::Missing; }
    Result<std::vector<FolderEntry>> listFolder(const std::string&) override { return Cause::Missing; }
    std::unique_ptr<Confinement> confine(const std::string&) override { return nullptr; }
    Status shellOpen(const std::string&, WindowHandle) override { return Cause::Failed; }

private:
    std::string path_;
    std::string_view bytes_;
    std::size_t piece_;
    bool missing_;
};

}  // namespace modsetup::fuzz
