#include "core/line_file.h"

#include <algorithm>
#include <cstring>

namespace modsetup {
namespace {
constexpr std::size_t kReadChunk = 1 << 16;
}

LineFile::~LineFile() { close(); }

bool LineFile::openRead(const std::string& path) {
    close();
    std::string reason;
    input_ = host_.openRead(path, reason);
    return input_ != nullptr;
}

bool LineFile::openWrite(const std::string& path) {
    close();
    output_ = host_.openReplace(path);
    return output_ != nullptr;
}

bool LineFile::fillBuffer() {
    if (bufferStart_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + bufferStart_, bufferEnd_ - bufferStart_);
        bufferEnd_ -= bufferStart_;
        bufferStart_ = 0;
    }
    if (buffer_.size() - bufferEnd_ < kReadChunk) buffer_.resize(bufferEnd_ + kReadChunk);
    std::size_t got = input_->read(buffer_.data() + bufferEnd_, kReadChunk);
    bufferEnd_ += got;
    return got > 0;
}

std::string LineFile::readLine() {
    std::string line;
    if (!input_) return line;
    for (;;) {
        const char* begin = buffer_.data() + bufferStart_;
        const char* end = buffer_.data() + bufferEnd_;
        const char* newline = std::find(begin, end, '\n');
        // Take what lies before the LF (or all of the buffer), dropping every CR.
        std::remove_copy(begin, newline, std::back_inserter(line), '\r');
        if (newline != end) {
            bufferStart_ = static_cast<std::size_t>(newline - buffer_.data()) + 1;
            return line;
        }
        bufferStart_ = bufferEnd_ = 0;
        if (!fillBuffer()) return line;  // end of file: the last line has no LF
    }
}

void LineFile::writeLine(std::string_view text) {
    if (!output_ || writeFailed_) return;
    static constexpr char kLineEnd[] = {'\r', '\n'};
    if (!output_->write(text.data(), text.size()) || !output_->write(kLineEnd, sizeof kLineEnd))
        writeFailed_ = true;
}

void LineFile::writeNumber(long long number) { writeLine(std::to_string(number)); }

bool LineFile::close() {
    bool ok = true;
    if (output_) ok = !writeFailed_ && output_->commit();
    output_.reset();  // without a commit this removes the temporary file
    input_.reset();
    writeFailed_ = false;
    buffer_.clear();
    buffer_.shrink_to_fit();
    bufferStart_ = bufferEnd_ = 0;
    return ok;
}

}  // namespace modsetup
