#include "core/archive/zip_directory.h"

#include <algorithm>
#include <array>

#include "core/base/utf8.h"

namespace modsetup {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kEndBytes = 22;
constexpr std::size_t kCentralBytes = 46;
constexpr std::size_t kLocalBytes = 30;
constexpr std::size_t kMaxCommentBytes = 0xFFFF;
// A central directory holds no more than this: an archive past the entry
// limit is refused as it is read, so this only bounds the memory taken.
constexpr std::uint64_t kMaxDirectoryBytes = 64u << 20;

// Code page 437's characters 128 to 255.
constexpr std::array<char16_t, 128> kCodePage437{{
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
}};

std::uint64_t little(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint32_t crc32Of(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

bool readAt(InputFile& file, std::uint64_t offset, std::size_t count, std::string& bytes) {
    bytes.resize(count);
    if (!file.seek(offset)) return false;
    std::size_t got = 0;
    while (got < count) {
        const std::size_t piece = file.read(bytes.data() + got, count - got);
        if (piece == 0) return false;
        got += piece;
    }
    return true;
}

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t decoded = 0;
        const std::size_t length = utf8SequenceLength(text, i, decoded);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

struct Zip64Values {
    std::uint64_t size, packedSize, offset;
};

// The zip64 field of a central record: the values its fixed fields give as
// all ones, in the format's order.
bool applyZip64(std::string_view extra, Zip64Values& values, bool wideSize, bool widePacked, bool wideOffset) {
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const auto id = little(extra, at, 2);
        const auto length = little(extra, at + 2, 2);
        if (at + 4 + length > extra.size()) return false;
        if (id == 0x0001) {
            std::size_t field = at + 4;
            const std::size_t end = field + length;
            for (auto [wide, value] : {std::pair{wideSize, &values.size}, std::pair{widePacked, &values.packedSize},
                                       std::pair{wideOffset, &values.offset}}) {
                if (!wide) continue;
                if (field + 8 > end) return false;
                *value = little(extra, field, 8);
                field += 8;
            }
            return true;
        }
        at += 4 + length;
    }
    return !wideSize && !widePacked && !wideOffset;
}

// Info-ZIP's UTF-8 name, when it was written for this very stored name.
std::optional<std::string> unicodeName(std::string_view extra, std::string_view storedName) {
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const auto id = little(extra, at, 2);
        const auto length = little(extra, at + 2, 2);
        if (at + 4 + length > extra.size()) break;
        if (id == 0x7075 && length >= 5 && extra[at + 4] == 1 && little(extra, at + 5, 4) == crc32Of(storedName))
            return std::string(extra.substr(at + 9, length - 5));
        at += 4 + length;
    }
    return std::nullopt;
}

struct Central {
    std::uint64_t offset = 0, count = 0, size = 0;
};

// Where the central directory lies, from the end record (and its zip64 form).
std::optional<Central> findCentral(InputFile& file, ZipFault& fault) {
    const std::uint64_t fileSize = file.size();
    if (fileSize == kUnknownSize || fileSize < kEndBytes) return std::nullopt;
    const std::size_t tail = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, kEndBytes + kMaxCommentBytes));
    std::string bytes;
    if (!readAt(file, fileSize - tail, tail, bytes)) return std::nullopt;
    for (std::size_t at = tail - kEndBytes + 1; at-- > 0;) {
        if (little(bytes, at, 4) != kEndSignature) continue;
        Central central{little(bytes, at + 16, 4), little(bytes, at + 10, 2), little(bytes, at + 12, 4)};
        const std::uint64_t endOffset = fileSize - tail + at;
        if (central.offset == 0xFFFFFFFF || central.count == 0xFFFF || central.size == 0xFFFFFFFF) {
            std::string locator, end64;
            fault = ZipFault::Damaged;
            if (endOffset < 20 || !readAt(file, endOffset - 20, 20, locator) ||
                little(locator, 0, 4) != kZip64LocatorSignature)
                return std::nullopt;
            const std::uint64_t end64Offset = little(locator, 8, 8);
            if (!readAt(file, end64Offset, 56, end64) || little(end64, 0, 4) != kZip64EndSignature) return std::nullopt;
            central = {little(end64, 48, 8), little(end64, 32, 8), little(end64, 40, 8)};
        }
        fault = ZipFault::Damaged;
        if (central.size > kMaxDirectoryBytes || central.offset > endOffset ||
            central.size > endOffset - central.offset)
            return std::nullopt;
        fault = ZipFault::None;
        return central;
    }
    return std::nullopt;
}

}  // namespace

std::string utf8FromCodePage437(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t code = byte < 0x80 ? byte : kCodePage437[byte - 0x80];
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | (code >> 6));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (code >> 12));
            text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

ZipDirectory readZipDirectory(InputFile& file) {
    ZipDirectory directory;
    ZipFault fault = ZipFault::NotZip;
    const auto central = findCentral(file, fault);
    if (!central) {
        directory.fault = fault;
        return directory;
    }
    directory.fault = ZipFault::Damaged;
    std::string bytes;
    if (!readAt(file, central->offset, static_cast<std::size_t>(central->size), bytes)) return directory;

    struct Placed {
        ZipRecord record;
        std::string storedName;
        std::uint64_t packedSize = 0;
    };
    std::vector<Placed> placed;
    for (std::size_t at = 0; at < bytes.size();) {
        if (bytes.size() - at < kCentralBytes || little(bytes, at, 4) != kCentralSignature) return directory;
        const unsigned flags = static_cast<unsigned>(little(bytes, at + 8, 2));
        const std::size_t nameLength = little(bytes, at + 28, 2);
        const std::size_t extraLength = little(bytes, at + 30, 2);
        const std::size_t commentLength = little(bytes, at + 32, 2);
        const std::size_t next = at + kCentralBytes + nameLength + extraLength + commentLength;
        if (next > bytes.size()) return directory;
        const std::string_view stored(bytes.data() + at + kCentralBytes, nameLength);
        const std::string_view extra(bytes.data() + at + kCentralBytes + nameLength, extraLength);
        Zip64Values values{little(bytes, at + 24, 4), little(bytes, at + 20, 4), little(bytes, at + 42, 4)};
        if (!applyZip64(extra, values, values.size == 0xFFFFFFFF, values.packedSize == 0xFFFFFFFF,
                        values.offset == 0xFFFFFFFF))
            return directory;

        Placed entry;
        entry.storedName = std::string(stored);
        entry.packedSize = values.packedSize;
        ZipRecord& record = entry.record;
        record.method = static_cast<unsigned>(little(bytes, at + 10, 2));
        record.encrypted = (flags & 1) != 0 || record.method == kZipAes;
        record.size = values.size;
        record.offset = values.offset;
        if ((flags & (1u << 11)) != 0) {
            record.name = std::string(stored);
            record.nameDecoded = isUtf8(stored);
        } else if (auto unicode = unicodeName(extra, stored); unicode && isUtf8(*unicode)) {
            record.name = std::move(*unicode);
        } else {
            record.name = utf8FromCodePage437(stored);
        }
        record.directory = !record.name.empty() && record.name.back() == '/';
        // The POSIX file type rides in the high half of the external attributes.
        const bool posix = little(bytes, at + 5, 1) == 3;
        record.link = posix && ((little(bytes, at + 38, 4) >> 16) & 0170000) == 0120000;
        placed.push_back(std::move(entry));
        at = next;
    }

    std::sort(placed.begin(), placed.end(),
              [](const Placed& a, const Placed& b) { return a.record.offset < b.record.offset; });
    std::string local;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Placed& entry = placed[i];
        if (!readAt(file, entry.record.offset, kLocalBytes, local) || little(local, 0, 4) != kLocalSignature)
            return directory;
        const std::size_t nameLength = little(local, 26, 2);
        const std::size_t extraLength = little(local, 28, 2);
        std::string localName;
        if (!readAt(file, entry.record.offset + kLocalBytes, nameLength, localName)) return directory;
        if (localName != entry.storedName) {
            directory.fault = ZipFault::NamesDisagree;
            directory.faultEntry = entry.record.name;
            return directory;
        }
        // Its bytes end before the next entry's header, and before the directory.
        const std::uint64_t dataEnd = entry.record.offset + kLocalBytes + nameLength + extraLength + entry.packedSize;
        const std::uint64_t limit = i + 1 < placed.size() ? placed[i + 1].record.offset : central->offset;
        if (dataEnd > limit) {
            directory.fault = ZipFault::Overlapping;
            directory.faultEntry = entry.record.name;
            return directory;
        }
    }
    directory.fault = ZipFault::None;
    for (Placed& entry : placed) directory.records.push_back(std::move(entry.record));
    return directory;
}

}  // namespace modsetup
