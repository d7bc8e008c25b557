#include "archive_builder.h"

#include <archive.h>
#include <archive_entry.h>

#include <stdexcept>

#ifndef _WIN32
#include <locale.h>
#endif

namespace modsetup::testing {
namespace {

la_ssize_t append(struct archive*, void* data, const void* bytes, size_t size) {
    static_cast<std::string*>(data)->append(static_cast<const char*>(bytes), size);
    return static_cast<la_ssize_t>(size);
}

void check(int result, struct archive* archive) {
    if (result < ARCHIVE_WARN) throw std::runtime_error(archive_error_string(archive));
}

void putLittle(std::string& bytes, std::size_t at, std::uint64_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t little(const std::string& bytes, std::size_t at, int count) {
    std::uint64_t value = 0;
    for (int i = count; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

std::string makeArchive(ArchiveFormat format, const std::vector<ArchiveItem>& items) {
#ifndef _WIN32
    // The library converts names through the thread's locale: UTF-8 here.
    const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    const locale_t previous = ::uselocale(utf8);
#endif
    std::string bytes;
    struct archive* archive = archive_write_new();
    if (format == ArchiveFormat::SevenZip) {
        check(archive_write_set_format_7zip(archive), archive);
    } else {
        check(archive_write_set_format_zip(archive), archive);
        check(archive_write_set_format_option(archive, "zip", "compression",
                                              format == ArchiveFormat::ZipStored ? "store" : "deflate"),
              archive);
        if (format == ArchiveFormat::ZipEncrypted) {
            check(archive_write_set_format_option(archive, "zip", "encryption", "zipcrypt"), archive);
            check(archive_write_set_passphrase(archive, "secret"), archive);
        }
    }
    check(archive_write_set_bytes_per_block(archive, 0), archive);  // no padding after the end
    check(archive_write_open2(archive, &bytes, nullptr, append, nullptr, nullptr), archive);
    for (const ArchiveItem& item : items) {
        struct archive_entry* entry = archive_entry_new();
        archive_entry_update_pathname_utf8(entry, item.name.c_str());
        switch (item.kind) {
        case ArchiveItem::File:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry, static_cast<la_int64_t>(item.bytes.size()));
            break;
        case ArchiveItem::Folder: archive_entry_set_filetype(entry, AE_IFDIR); break;
        case ArchiveItem::SymbolicLink:
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_copy_symlink(entry, item.bytes.c_str());
            break;
        }
        archive_entry_set_perm(entry, item.kind == ArchiveItem::File ? 0644 : 0755);
        check(archive_write_header(archive, entry), archive);
        if (item.kind == ArchiveItem::File && !item.bytes.empty())
            archive_write_data(archive, item.bytes.data(), item.bytes.size());
        archive_entry_free(entry);
    }
    check(archive_write_close(archive), archive);
    archive_write_free(archive);
#ifndef _WIN32
    ::uselocale(previous);
    ::freelocale(utf8);
#endif
    return bytes;
}

std::string withZipMethod(std::string zip, unsigned method) {
    for (std::size_t at = 0; at + 12 <= zip.size(); ++at) {
        const auto signature = little(zip, at, 4);
        if (signature == 0x04034b50) putLittle(zip, at + 8, method, 2);
        if (signature == 0x02014b50) putLittle(zip, at + 10, method, 2);
    }
    return zip;
}

std::string withLocalName(std::string zip, const std::string& from, const std::string& to) {
    const std::size_t at = zip.find(from, 30);
    zip.replace(at, from.size(), to);
    return zip;
}

std::string withSharedBytes(const std::string& zip, const std::string& secondName) {
    const std::size_t end = zip.size() - 22;
    const auto size = static_cast<std::size_t>(little(zip, end + 12, 4));
    const auto offset = static_cast<std::size_t>(little(zip, end + 16, 4));
    const std::size_t nameLength = little(zip, offset + 28, 2);
    const std::size_t recordLength = 46 + nameLength + little(zip, offset + 30, 2) + little(zip, offset + 32, 2);
    std::string second = zip.substr(offset, recordLength);
    second.replace(46, nameLength, secondName);
    putLittle(second, 28, secondName.size(), 2);
    std::string result = zip.substr(0, offset + size) + second + zip.substr(end);
    const std::size_t newEnd = result.size() - 22;
    putLittle(result, newEnd + 8, little(result, newEnd + 8, 2) + 1, 2);
    putLittle(result, newEnd + 10, little(result, newEnd + 10, 2) + 1, 2);
    putLittle(result, newEnd + 12, size + second.size(), 4);
    return result;
}

}  // namespace modsetup::testing
