#include "test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

namespace modsetup::testing {

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("modsetup-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::programPath(std::string_view relative) const {
    std::string path = base() + "\\";
    for (char c : relative) path += (c == '/') ? '\\' : c;
    return path;
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool fileExists(const std::filesystem::path& path) { return std::filesystem::is_regular_file(path); }

WorkingDirectory::WorkingDirectory(const std::filesystem::path& path) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
}

WorkingDirectory::~WorkingDirectory() { std::filesystem::current_path(previous_); }

}  // namespace modsetup::testing
