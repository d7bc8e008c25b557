#include "core/io/file_reads.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace modsetup {

namespace {

// The size of the pieces files are read in: large enough that the system's
// calls cost little, small enough to live beside other work.
constexpr std::size_t kPiece = 1 << 16;

}  // namespace

Failure readFailure(Failure failure) {
    if (failure.cause != Cause::Missing && failure.cause != Cause::Outside) failure.cause = Cause::Unreadable;
    return failure;
}

std::size_t readFully(InputFile& file, char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const std::size_t got = file.read(buffer + done, size - done);
        if (got == 0) break;
        done += got;
    }
    return done;
}

bool sameBytes(InputFile& a, InputFile& b) {
    const auto identity = a.identity();
    if (identity && identity == b.identity()) return true;
    if (a.size() == kUnknownSize || b.size() != a.size()) return false;
    auto ours = std::make_unique<char[]>(kPiece);
    auto theirs = std::make_unique<char[]>(kPiece);
    for (std::uint64_t left = a.size(); left > 0;) {
        const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(left, kPiece));
        if (readFully(a, ours.get(), piece) != piece || readFully(b, theirs.get(), piece) != piece ||
            std::memcmp(ours.get(), theirs.get(), piece) != 0)
            return false;
        left -= piece;
    }
    return true;
}

Result<std::string> readWholeFile(Host& host, const std::string& path, std::size_t maxBytes) {
    auto input = host.openRead(path);
    if (!input.ok()) return readFailure(input.failure());
    std::string bytes;
    // Read into place: a large file costs no growing copies.
    if (const std::uint64_t size = input.value()->size(); size != kUnknownSize)
        bytes.reserve(std::min<std::uint64_t>(size, maxBytes));
    auto piece = std::make_unique<char[]>(kPiece);
    for (std::size_t got; (got = input.value()->read(piece.get(), kPiece)) > 0;) {
        if (got > maxBytes - bytes.size()) return Failure{Cause::TooLarge, {}, static_cast<long>(maxBytes)};
        bytes.append(piece.get(), got);
    }
    if (input.value()->failed()) return Failure{Cause::Unreadable};
    return bytes;
}

}  // namespace modsetup
