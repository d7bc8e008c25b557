#include "core/io/file_writes.h"

#include <algorithm>
#include <cstring>

#include "core/base/temporary_name.h"
#include "core/io/file_reads.h"

namespace modsetup {
namespace {

constexpr std::size_t kCopyPiece = 1 << 16;

// Whether the file at target is already what a copy of source would make it.
bool holdsSameFile(Host& host, InputFile& source, const std::string& target) {
    auto existing = host.openRead(target);
    if (!existing.ok()) return false;
    InputFile& other = *existing.value();
    const auto ours = source.identity();
    if (ours && ours == other.identity()) return true;
    return sameBytes(source, other);
}

}  // namespace

OutputFile::OutputFile(Host& host, std::unique_ptr<NewFile> file, std::string temporary, std::string target,
                       bool durable)
    : host_(host),
      file_(std::move(file)),
      temporary_(std::move(temporary)),
      target_(std::move(target)),
      durable_(durable) {}

OutputFile::~OutputFile() {
    if (committed_) return;
    file_.reset();
    (void)host_.deleteFile(temporary_);
}

bool OutputFile::write(const char* data, std::size_t size) {
    if (writeFailed_) return false;
    if (file_ && file_->write(data, size)) return true;
    writeFailed_ = true;
    if (file_) {
        // Closing it tells why the write failed.
        const Status finished = file_->finish(false);
        file_.reset();
        if (!finished.ok()) writeFailure_ = finished.failure();
    }
    return false;
}

Status OutputFile::commit() {
    if (writeFailed_) return writeFailure_;
    if (committed_) return Cause::Failed;
    if (file_) {
        Status finished = file_->finish(durable_);
        file_.reset();
        if (!finished.ok()) {
            writeFailed_ = true;
            writeFailure_ = finished.failure();
            return finished;
        }
    }
    Status moved = host_.moveOver(temporary_, target_, durable_);
    committed_ = moved.ok();
    return moved;
}

Result<std::unique_ptr<OutputFile>> openReplace(Host& host, const std::string& path, bool durable,
                                                const InputFile* copyOf) {
    if (host.pathKind(path) == PathKind::Directory) return Cause::Failed;
    const unsigned long process = processNumber();
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::string temporary = temporaryName(path, process, attempt);
        auto created = host.createNew(temporary, copyOf);
        if (created.ok())
            return std::make_unique<OutputFile>(host, std::move(created.value()), std::move(temporary), path, durable);
        if (!created.failedWith(Cause::Exists)) return created.failure();
    }
    return Cause::Failed;
}

Result<CopyEffect> compareCopy(Host& host, const std::string& source, const std::string& target) {
    auto opened = host.openRead(source);
    if (!opened.ok()) return readFailure(opened.failure());
    const PathKind targetKind = host.pathKind(target);
    if (targetKind == PathKind::Directory) return Cause::Failed;
    if (targetKind != PathKind::File) return CopyEffect::Adds;
    return holdsSameFile(host, *opened.value(), target) ? CopyEffect::Keeps : CopyEffect::Replaces;
}

Result<std::unique_ptr<OutputFile>> writeCopy(Host& host, const std::string& source, const std::string& target,
                                              bool durable) {
    auto opened = host.openRead(source);
    if (!opened.ok()) return readFailure(opened.failure());
    std::unique_ptr<InputFile> in = std::move(opened.value());
    auto out = openReplace(host, target, durable, in.get());
    if (!out.ok()) return out;
    // As far as the source reached when it was opened; on a read error the
    // temporary file goes, and the target stays whole.
    auto buffer = std::make_unique<char[]>(kCopyPiece);
    for (std::size_t got; (got = in->read(buffer.get(), kCopyPiece)) > 0;)
        if (!out.value()->write(buffer.get(), got)) return out.value()->writeFailure();
    if (in->failed()) return Cause::Unreadable;
    return out;
}

Result<std::unique_ptr<OutputFile>> prepareCopy(Host& host, const std::string& source, const std::string& target,
                                                bool durable) {
    const Result<CopyEffect> effect = compareCopy(host, source, target);
    if (!effect.ok()) return effect.failure();
    if (effect.value() == CopyEffect::Keeps) return std::unique_ptr<OutputFile>();
    return writeCopy(host, source, target, durable);
}

Status writeWholeFile(Host& host, const std::string& path, std::string_view bytes) {
    auto out = openReplace(host, path);
    if (!out.ok()) return out.failure();
    out.value()->write(bytes.data(), bytes.size());
    return out.value()->commit();
}

Status copyFile(Host& host, const std::string& source, const std::string& target, bool durable) {
    auto copy = prepareCopy(host, source, target, durable);
    if (!copy.ok()) return copy.failure();
    if (!copy.value()) return done();
    // The source is closed before the rename: no handle of ours stands in its way.
    return copy.value()->commit();
}

}  // namespace modsetup
