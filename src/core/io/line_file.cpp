#include "core/io/line_file.h"

#include <cstring>

namespace modsetup {

const Status& LineFile::openRead(const std::string& path) {
    close();
    auto opened = host_.openRead(path);
    if (opened.ok()) {
        input_ = std::move(opened.value());
        readResult_ = done();
    } else {
        readResult_ = opened.failure();
    }
    return readResult_;
}

const Status& LineFile::openWrite(const std::string& path) {
    close();
    auto opened = openReplace(host_, path);
    if (opened.ok()) {
        output_ = std::move(opened.value());
        writeResult_ = done();
    } else {
        writeResult_ = openFailure_ = opened.failure();
    }
    return writeResult_;
}

// Refills the emptied buffer; false at the end of the file or of the bytes a
// file may give.
bool LineFile::fillBuffer() {
    bufferStart_ = bufferEnd_ = 0;
    const std::size_t wanted = kMaxLineFileBytes - bytesRead_;
    if (wanted == 0) return false;
    if (!buffer_) buffer_.reset(new char[kMaxLineFileBytes]);  // left unfilled: only read bytes are used
    bufferEnd_ = input_->read(buffer_.get(), wanted);
    bytesRead_ += bufferEnd_;
    return bufferEnd_ > 0;
}

std::string LineFile::readLine() {
    std::string line;
    if (!input_) return line;
    for (;;) {
        if (bufferStart_ == bufferEnd_ && !fillBuffer()) {
            ended_ = true;
            return line;  // the last line has no LF
        }
        const char* begin = buffer_.get() + bufferStart_;
        const char* end = buffer_.get() + bufferEnd_;
        const auto* found = static_cast<const char*>(std::memchr(begin, '\n', bufferEnd_ - bufferStart_));
        const char* newline = found != nullptr ? found : end;
        // Keep what lies before the LF (or all of the buffer) up to the line
        // limit, dropping every CR; the rest of a longer line is passed over.
        for (const char* c = begin; c != newline && line.size() < kMaxLineBytes; ++c)
            if (*c != '\r') line += *c;
        if (newline != end) {
            bufferStart_ = static_cast<std::size_t>(newline - buffer_.get()) + 1;
            return line;
        }
        bufferStart_ = bufferEnd_;
    }
}

void LineFile::writeLine(std::string_view text) {
    if (!output_ || writeFailed_) return;
    if (holdsLineBreak(text)) {
        writeFailed_ = lineRefused_ = true;
        return;
    }
    if (!output_->write(text.data(), text.size()) || !output_->write(kLineEnd.data(), kLineEnd.size()))
        writeFailed_ = true;
}

void LineFile::writeLines(std::string_view lines) {
    if (!output_ || writeFailed_) return;
    if (!output_->write(lines.data(), lines.size())) writeFailed_ = true;
}

const Status& LineFile::close() {
    writeResult_ = openFailure_;
    openFailure_ = done();
    held_.reset();
    // A refused line fails the file; a failed write keeps the system's words.
    if (output_) writeResult_ = lineRefused_ ? Status(Cause::Failed) : output_->commit();
    if (writeResult_.failedWith(Cause::InUse)) held_ = std::move(output_);
    output_.reset();  // without a commit this removes the temporary file
    input_.reset();
    writeFailed_ = lineRefused_ = false;
    buffer_.reset();
    bufferStart_ = bufferEnd_ = 0;
    bytesRead_ = 0;
    ended_ = false;
    return writeResult_;
}

Status writeLineFile(LineFile& handle, const std::string& path, const std::optional<std::string>& lines) {
    if (!lines) return Cause::Failed;
    handle.openWrite(path);
    handle.writeLines(*lines);
    return handle.close();
}

}  // namespace modsetup
