#pragma once
// A line-file handle: the program reads and writes its text files through two
// of these, the shared handle and Apply's input handle.
//
// Rules: a written line is its bytes unchanged followed by CR LF; a read line
// ends at LF and never contains a CR; lines have no length limit; reading a
// missing file, a handle whose open failed, or past the end gives empty lines.
// No operation raises: a failed open leaves the handle closed, writes to it
// are dropped, and nothing of the failure stays to trouble the next open.
//
// A file opened for writing goes to a temporary file beside it and replaces
// the target only when it is closed without any failure, so a crash or a full
// disk never leaves a half-written file behind.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/host.h"

namespace modsetup {

class LineFile {
public:
    explicit LineFile(Host& host) : host_(host) {}
    ~LineFile();
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    // Opens an existing file read-only. False (handle closed) when it cannot.
    bool openRead(const std::string& path);
    // Starts writing path anew. False (handle closed) when it cannot.
    bool openWrite(const std::string& path);

    std::string readLine();
    void writeLine(std::string_view text);
    void writeNumber(long long number);

    // Ends the use of the handle. For a file being written: true when every
    // line reached the file and it replaced the target; false otherwise (the
    // target then keeps its old content). For a read or a closed handle: true.
    bool close();

    bool isOpen() const { return input_ != nullptr || output_ != nullptr; }

private:
    bool fillBuffer();

    Host& host_;
    std::unique_ptr<InputFile> input_;
    std::unique_ptr<OutputFile> output_;
    bool writeFailed_ = false;
    std::vector<char> buffer_;
    std::size_t bufferStart_ = 0;
    std::size_t bufferEnd_ = 0;
};

}  // namespace modsetup
