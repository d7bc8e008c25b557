// Fuzz target of the line-file reader: any bytes, handed out in pieces of any
// size, read line by line until the end. Each line must be the bytes up to
// the next LF with every CR left out, cut to the line limit; the file ends at
// the file limit at the latest, and past the end only empty lines come.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/io/line_file.h"
#include "memory_host.h"  // the tests' host of files in memory

namespace {

// The lines the rules give: split at LF, CRs dropped, the first
// kMaxLineBytes bytes kept; the piece after the last LF (possibly empty) is
// the last line.
std::string nextExpectedLine(std::string_view& rest) {
    const std::size_t newline = rest.find('\n');
    const std::string_view line = rest.substr(0, newline);
    rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
    std::string kept;
    for (char c : line)
        if (c != '\r' && kept.size() < modsetup::kMaxLineBytes) kept += c;
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses how many bytes each read of the file gives.
    const std::size_t piece = data[0] == 0 ? 1 << 16 : data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::string path = "C:\\Games\\Shooter\\modsetup.ini";
    modsetup::testing::MemoryHost host;
    host.write(path, std::string(bytes));
    host.readPiece = piece;
    modsetup::LineFile file(host);
    if (!file.openRead(path).ok()) std::abort();

    std::string_view rest = bytes.substr(0, modsetup::kMaxLineFileBytes);
    bool lastLineRead = false;
    while (!lastLineRead) {
        lastLineRead = rest.find('\n') == std::string_view::npos;
        if (file.readLine() != nextExpectedLine(rest)) std::abort();
    }
    for (int i = 0; i < 3; ++i)
        if (!file.readLine().empty()) std::abort();
    if (!file.close().ok() || file.isOpen()) std::abort();
    return 0;
}
