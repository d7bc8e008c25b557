#include "core/archive/archive_reader.h"

#include <archive.h>
#include <archive_entry.h>

#include <clocale>
#include <cwchar>

#include "core/base/utf8.h"

namespace modsetup {
namespace {

constexpr std::size_t kReadPiece = 64 * 1024;

// A wide name as UTF-8 (UTF-16 on Windows, UTF-32 elsewhere); nothing when
// it holds half a surrogate pair or no character at all.
std::optional<std::string> utf8FromWide(const wchar_t* wide) {
    std::string text;
    for (const wchar_t* p = wide; *p != 0; ++p) {
        char32_t code = static_cast<char32_t>(*p);
        if constexpr (sizeof(wchar_t) == 2) {
            if (code >= 0xD800 && code <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char32_t>(p[1]) - 0xDC00);
                ++p;
            }
        }
        if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return std::nullopt;
        appendUtf8(text, code);
    }
    return text;
}

#ifndef _WIN32
// The library converts names into the locale of the thread that reads: on
// this thread, for the reading, UTF-8 (the window's own locale, and other
// threads', stay as they are).
class Utf8Locale {
public:
    Utf8Locale() : utf8_(::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
        if (utf8_ != nullptr) previous_ = ::uselocale(utf8_);
    }
    ~Utf8Locale() {
        if (utf8_ == nullptr) return;
        ::uselocale(previous_);
        ::freelocale(utf8_);
    }
    Utf8Locale(const Utf8Locale&) = delete;
    Utf8Locale& operator=(const Utf8Locale&) = delete;

private:
    locale_t utf8_;
    locale_t previous_ = nullptr;
};
#else
struct Utf8Locale {};  // names come as UTF-16 from the library, whatever the locale
#endif

}  // namespace

// The archive file, read through the host for the library.
struct ArchiveReader::Source {
    std::unique_ptr<InputFile> file;
    std::uint64_t position = 0;
    char buffer[kReadPiece];
    Utf8Locale locale;

    static la_ssize_t read(struct archive*, void* data, const void** block) {
        auto* source = static_cast<Source*>(data);
        *block = source->buffer;
        const std::size_t got = source->file->read(source->buffer, sizeof source->buffer);
        if (got == 0 && source->file->failed()) return -1;
        source->position += got;
        return static_cast<la_ssize_t>(got);
    }
    static la_int64_t seek(struct archive*, void* data, la_int64_t offset, int whence) {
        auto* source = static_cast<Source*>(data);
        const std::uint64_t size = source->file->size();
        std::int64_t target = offset;
        if (whence == SEEK_CUR) target += static_cast<std::int64_t>(source->position);
        else if (whence == SEEK_END) target += static_cast<std::int64_t>(size);
        if (target < 0 || static_cast<std::uint64_t>(target) > size ||
            !source->file->seek(static_cast<std::uint64_t>(target)))
            return ARCHIVE_FATAL;
        source->position = static_cast<std::uint64_t>(target);
        return target;
    }
    static la_int64_t skip(struct archive* archive, void* data, la_int64_t count) {
        auto* source = static_cast<Source*>(data);
        const la_int64_t moved = seek(archive, data, count, SEEK_CUR);
        return moved < 0 ? 0 : static_cast<la_int64_t>(moved - static_cast<la_int64_t>(source->position) + count);
    }
};

ArchiveReader::ArchiveReader(Host& host, const std::string& path) : source_(std::make_unique<Source>()) {
    auto opened = host.openRead(path);
    if (!opened.ok()) {
        fault_ = ArchiveFault::Unopenable;
        failure_ = opened.failure();
        return;
    }
    source_->file = std::move(opened.value());
    archiveSize_ = source_->file->size();
    if (archiveSize_ == kUnknownSize || !source_->file->seek(0)) {
        fault_ = ArchiveFault::NotAnArchive;
        return;
    }

    ZipDirectory zip = readZipDirectory(*source_->file);
    if (zip.fault != ZipFault::NotZip) {
        zip_ = true;
        switch (zip.fault) {
        case ZipFault::Damaged: failWith(ArchiveFault::Damaged, {}); return;
        case ZipFault::NamesDisagree: failWith(ArchiveFault::NamesDisagree, zip.faultEntry); return;
        case ZipFault::Overlapping: failWith(ArchiveFault::Overlapping, zip.faultEntry); return;
        default: break;
        }
        zipRecords_ = std::move(zip.records);
    }
    if (!source_->file->seek(0)) {
        failWith(ArchiveFault::Damaged, {});
        return;
    }

    archive_ = archive_read_new();
    if (zip_) {
        // By its directory, in the order of its local headers; Mac resource
        // forks stay entries of their own, as the directory lists them.
        archive_read_support_format_zip_seekable(archive_);
        archive_read_set_format_option(archive_, "zip", "mac-ext", nullptr);
    } else {
        archive_read_support_format_7zip(archive_);
#ifdef MODSETUP_READ_RAR
        archive_read_support_format_rar(archive_);
        archive_read_support_format_rar5(archive_);
#endif
    }
    archive_read_set_callback_data(archive_, source_.get());
    archive_read_set_read_callback(archive_, &Source::read);
    archive_read_set_seek_callback(archive_, &Source::seek);
    archive_read_set_skip_callback(archive_, &Source::skip);
    if (archive_read_open1(archive_) != ARCHIVE_OK) {
        fault_ = zip_ ? ArchiveFault::Damaged : ArchiveFault::NotAnArchive;
        const char* words = archive_error_string(archive_);
        failure_ = Failure{Cause::Failed, words != nullptr ? words : ""};
    }
}

ArchiveReader::~ArchiveReader() {
    if (archive_ != nullptr) archive_read_free(archive_);
}

void ArchiveReader::failWith(ArchiveFault fault, const std::string& entry) {
    fault_ = fault;
    faultEntry_ = entry;
    if (archive_ != nullptr && archive_error_string(archive_) != nullptr)
        failure_ = Failure{Cause::Failed, archive_error_string(archive_)};
}

bool ArchiveReader::next(ArchiveEntry& entry) {
    if (fault_ != ArchiveFault::None) return false;
    struct archive_entry* header = nullptr;
    const int result = archive_read_next_header(archive_, &header);
    if (result == ARCHIVE_EOF) {
        if (zip_ && entries_ != zipRecords_.size()) failWith(ArchiveFault::Damaged, {});
        return false;
    }
    if (result < ARCHIVE_WARN) {
        // A 7z whose names are encrypted tells only that it has encrypted entries.
        failWith(archive_read_has_encrypted_entries(archive_) > 0 ? ArchiveFault::Encrypted : ArchiveFault::Damaged,
                 {});
        return false;
    }

    entry = ArchiveEntry{};
    switch (archive_entry_filetype(header)) {
    case AE_IFREG: entry.kind = EntryKind::File; break;
    case AE_IFDIR: entry.kind = EntryKind::Folder; break;
    case AE_IFLNK: entry.kind = EntryKind::Link; break;
    default: entry.kind = EntryKind::Special; break;
    }
    if (archive_entry_hardlink(header) != nullptr) entry.kind = EntryKind::Link;
    entry.encrypted = archive_entry_is_encrypted(header) != 0;
    if (archive_entry_size_is_set(header) != 0 && archive_entry_size(header) >= 0)
        entry.declaredSize = static_cast<std::uint64_t>(archive_entry_size(header));

    if (zip_) {
        // The library reads the zip's entries in the directory's order of
        // local headers: the directory's record of each stands for it.
        if (entries_ >= zipRecords_.size()) {
            failWith(ArchiveFault::Damaged, {});
            return false;
        }
        const ZipRecord& record = zipRecords_[entries_];
        const bool folder = entry.kind == EntryKind::Folder;
        const bool file = entry.kind == EntryKind::File && !record.link;
        if (folder != record.directory ||
            (file && archive_entry_size(header) != static_cast<la_int64_t>(record.size))) {
            failWith(ArchiveFault::Damaged, record.name);
            return false;
        }
        entry.name = record.name;
        entry.nameDecoded = record.nameDecoded;
        entry.encrypted = entry.encrypted || record.encrypted;
        entry.zipMethod = record.method;
        if (record.link) entry.kind = EntryKind::Link;
    } else {
        const wchar_t* wide = archive_entry_pathname_w(header);
        const auto name = wide != nullptr ? utf8FromWide(wide) : std::nullopt;
        if (name) {
            entry.name = *name;
        } else {
            const char* bytes = archive_entry_pathname(header);
            entry.name = bytes != nullptr ? bytes : "";
            entry.nameDecoded = false;
        }
    }
    ++entries_;
    current_ = entry.name;
    return true;
}

std::size_t ArchiveReader::read(char* buffer, std::size_t size) {
    if (fault_ != ArchiveFault::None) return 0;
    const la_ssize_t got = archive_read_data(archive_, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    failWith(ArchiveFault::Undecodable, current_);
    return 0;
}

std::uint64_t ArchiveReader::position() const { return source_->position; }

}  // namespace modsetup
