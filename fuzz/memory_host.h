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

    static constexpr std::string_view kMissingReason = "No such file or directory";

    std::string programPath() override { return {}; }
    std::unique_ptr<InputFile> openRead(const std::string& path, std::string& reason) override {
        if (missing_ || path != path_) {
            reason = std::string(kMissingReason);
            return nullptr;
        }
        return std::make_unique<MemoryInputFile>(bytes_, piece_);
    }
    std::unique_ptr<OutputFile> openReplace(const std::string&, FileFailure&) override { return nullptr; }
    FileResult createDirectory(const std::string&) override { return false; }
    FileResult deleteFile(const std::string&) override { return false; }
    FileResult copyFile(const std::string&, const std::string&) override { return false; }
    PathKind pathKind(const std::string& path) override { return path == path_ ? PathKind::File : PathKind::Missing; }
    bool listFolder(const std::string&, std::vector<FolderEntry>&) override { return false; }
    bool shellOpen(const std::string&, WindowHandle, std::string&) override { return false; }
    void confineBelow(const std::string&) override {}

private:
    std::string path_;
    std::string_view bytes_;
    std::size_t piece_;
    bool missing_;
};

}  // namespace modsetup::fuzz
