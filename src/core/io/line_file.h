#pragma once
// A line-file handle: the program reads and writes its text files through two
// of these, the shared handle and Apply's input handle.
//
// Rules: a written line is its bytes unchanged followed by CR LF; a read line
// ends at LF and never contains a CR; reading a missing file, a handle whose
// open failed, or past the end gives empty lines. No operation raises: a
// failed open leaves the handle closed, writes to it are dropped, and nothing
// of the failure stays to trouble the next open.
//
// Reading is bounded, since set libraries come from anywhere: a line keeps
// its first kMaxLineBytes bytes (the rest of it is skipped), and a file is
// read no further than kMaxLineFileBytes, past which it reads as ended. Only
// the lines asked for are read. A line to be written that holds a CR or an LF
// would split into two lines: it fails the write instead.
//
// A file opened for writing goes to a temporary file beside it and replaces
// the target only when it is closed without any failure, so a crash, a full
// disk or a refused line never leaves a half-written file behind.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/io/file_writes.h"
#include "core/io/host.h"

namespace modsetup {

// The longest line a read keeps. No set name (255 bytes at most), title,
// weapon name or statistics value comes near it.
inline constexpr std::size_t kMaxLineBytes = 1024;
// How much of a file is read at most. The longest file the program reads, the
// selections file, holds 17 lines: about 4.4 KiB with set names of the longest
// a file system allows (255 bytes). A hostile file costs no more than this.
inline constexpr std::size_t kMaxLineFileBytes = 16 * 1024;

// What ends every line written.
inline constexpr std::string_view kLineEnd = "\r\n";

// Whether text holds a CR or an LF, and so cannot be written as one line.
inline bool holdsLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

class LineFile;

// Writes lines (each ended by kLineEnd already) through handle as the whole
// new content of path; Failed without touching path when there are none.
Status writeLineFile(LineFile& handle, const std::string& path, const std::optional<std::string>& lines);

class LineFile {
public:
    explicit LineFile(Host& host) : host_(host) {}
    // A file being written that was not closed does not replace its target:
    // nothing said it was complete.
    ~LineFile() = default;
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    // Opens an existing regular file read-only; a failure (kept as
    // readResult) leaves the handle closed, and a named pipe or a device
    // reads as a missing file.
    const Status& openRead(const std::string& path);
    // Starts writing path anew; a failure leaves the handle closed, and close
    // then gives it.
    const Status& openWrite(const std::string& path);

    std::string readLine();
    void writeLine(std::string_view text);
    // Writes lines that a file's text function made, each ended by kLineEnd
    // already, as they are.
    void writeLines(std::string_view lines);

    // Ends the use of the handle. For a file being written: done when every
    // line reached the file and it replaced the target; otherwise why not
    // (the target then keeps its old content). For a read or a closed
    // handle: done.
    const Status& close();

    // After a close that another program stood in the way of (InUse): the
    // file, written whole beside its target, whose commit may be tried again.
    // Null otherwise; taken once.
    std::unique_ptr<OutputFile> takeHeld() { return std::move(held_); }

    bool isOpen() const { return input_ != nullptr || output_ != nullptr; }
    // What the latest openRead came to.
    const Status& readResult() const { return readResult_; }
    // True once a read has reached the end of the file (or of what it may
    // give), and for a handle not open for reading: every line from here on
    // reads empty.
    bool readEnded() const { return input_ == nullptr || ended_; }

private:
    bool fillBuffer();

    Host& host_;
    std::unique_ptr<InputFile> input_;
    std::unique_ptr<OutputFile> output_;
    std::unique_ptr<OutputFile> held_;
    bool writeFailed_ = false;
    bool lineRefused_ = false;     // a line held a line break
    Status openFailure_ = done();  // of an openWrite that failed, until close
    Status readResult_ = done();
    Status writeResult_ = done();     // of the latest openWrite, then of its close
    std::unique_ptr<char[]> buffer_;  // kMaxLineFileBytes while a file is read
    std::size_t bufferStart_ = 0;
    std::size_t bufferEnd_ = 0;
    std::size_t bytesRead_ = 0;  // of the file, against kMaxLineFileBytes
    bool ended_ = false;
};

}  // namespace modsetup
