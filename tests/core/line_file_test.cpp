// Line files: the byte rules of reading and writing, failed opens, and writes
// that replace the target only when complete.
#include <gtest/gtest.h>

#include "core/io/forwarding_host.h"
#include "core/io/line_file.h"
#include "test_support.h"

namespace modsetup {
namespace {

using testing::readFile;
using testing::ScratchDir;
using testing::writeFile;

class LineFileTest : public ::testing::Test {
protected:
    std::unique_ptr<Host> host = makeSystemHost();
    ScratchDir dir;
};

std::vector<std::string> readLines(LineFile& file, int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(file.readLine());
    return lines;
}

TEST_F(LineFileTest, ReadLineEndsAtLfAndNeverKeepsCr) {
    writeFile(dir / "a.txt", "crlf\r\nlf only\nin\rside\r\n\r\nlast without end");
    LineFile file(*host);
    ASSERT_TRUE(file.openRead(dir.programPath("a.txt")).ok());
    EXPECT_EQ(readLines(file, 7),
              (std::vector<std::string>{"crlf", "lf only", "inside", "", "last without end", "", ""}));
    EXPECT_TRUE(file.close().ok());
}

TEST_F(LineFileTest, BytesAreNotConverted) {
    const std::string latin1 = "caf\xE9 \xFF\x01\x7F";
    const std::string utf8 =
        "Stra\xC3\x9F"
        "e";
    writeFile(dir / "b.txt", latin1 + "\n" + utf8 + "\n");
    LineFile file(*host);
    file.openRead(dir.programPath("b.txt"));
    EXPECT_EQ(file.readLine(), latin1);
    EXPECT_EQ(file.readLine(), utf8);
}

// A read keeps a line's first kMaxLineBytes bytes and passes over the rest of
// it; a file gives no more than kMaxLineFileBytes, past which it reads as ended.
TEST_F(LineFileTest, LongLinesKeepTheirFirstBytesAndTheFileIsReadOnlyToItsLimit) {
    const std::string limit(kMaxLineBytes, 'x');
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"a line of exactly the limit", limit + "\r\nnext\r\n", {limit, "next", ""}},
        {"a longer line", limit + "tail\r\nnext\n", {limit, "next", ""}},
        {"CRs do not count", "\r" + limit + "\rtail\n2", {limit, "2", ""}},
        {"a line longer than one read of the file",
         "abc" + std::string(100'000, 'y') + "\nnext",
         {"abc" + std::string(kMaxLineBytes - 3, 'y'), "", ""}},
        {"a line ending just before the file limit",
         std::string(kMaxLineFileBytes - 6, 'z') + "\nlast\nbeyond\n",
         {std::string(kMaxLineBytes, 'z'), "last", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(dir / "long.txt", c.bytes);
        LineFile file(*host);
        ASSERT_TRUE(file.openRead(dir.programPath("long.txt")).ok());
        EXPECT_EQ(readLines(file, static_cast<int>(c.lines.size())), c.lines);
    }

    // Short lines up to the file limit: the line the limit cuts ends there.
    const std::string ten = "0123456789";
    std::string many;
    while (many.size() < 2 * kMaxLineFileBytes) many += ten + "\n";
    writeFile(dir / "many.txt", many);
    LineFile file(*host);
    ASSERT_TRUE(file.openRead(dir.programPath("many.txt")).ok());
    const std::size_t whole = kMaxLineFileBytes / (ten.size() + 1);
    for (std::size_t i = 0; i < whole; ++i) ASSERT_EQ(file.readLine(), ten) << "line " << i + 1;
    EXPECT_EQ(file.readLine(), ten.substr(0, kMaxLineFileBytes % (ten.size() + 1)));
    EXPECT_EQ(file.readLine(), "");
}

TEST_F(LineFileTest, FailedReadOpenGivesEmptyLinesAndLeavesNoState) {
    LineFile file(*host);
    EXPECT_FALSE(file.openRead(dir.programPath("missing.txt")).ok());
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(readLines(file, 3), (std::vector<std::string>{"", "", ""}));
    EXPECT_TRUE(file.close().ok());

    std::filesystem::create_directory(dir / "folder.txt");
    EXPECT_FALSE(file.openRead(dir.programPath("folder.txt")).ok());
    EXPECT_EQ(file.readLine(), "");

    writeFile(dir / "ok.txt", "works\n");
    EXPECT_TRUE(file.openRead(dir.programPath("ok.txt")).ok());
    EXPECT_EQ(file.readLine(), "works");
}

TEST_F(LineFileTest, WrittenLinesEndInCrLf) {
    LineFile file(*host);
    ASSERT_TRUE(file.openWrite(dir.programPath("out.txt")).ok());
    file.writeLine("first");
    file.writeLine("");
    file.writeLine(" blanks kept ");
    EXPECT_TRUE(file.close().ok());
    EXPECT_EQ(readFile(dir / "out.txt"), "first\r\n\r\n blanks kept \r\n");
}

// A line holding a line break would become two lines of the file and shift
// every later one: the whole write fails and the file keeps its old content.
TEST_F(LineFileTest, ALineHoldingALineBreakFailsTheWriteAndKeepsTheOldFile) {
    writeFile(dir / "sel.ini", "old\r\n");
    for (const std::string text : {"Gold\nEvil", "Gold\rEvil", "\n", "end\r\n"}) {
        SCOPED_TRACE(text);
        LineFile file(*host);
        ASSERT_TRUE(file.openWrite(dir.programPath("sel.ini")).ok());
        file.writeLine("before");
        file.writeLine(text);
        file.writeLine("after");
        EXPECT_FALSE(file.close().ok());
        EXPECT_EQ(readFile(dir / "sel.ini"), "old\r\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary file stays";
}

TEST_F(LineFileTest, WritingReplacesOldContentWhole) {
    writeFile(dir / "out.txt", "a much longer old content that must not survive\r\n");
    LineFile file(*host);
    file.openWrite(dir.programPath("out.txt"));
    file.writeLine("new");
    EXPECT_TRUE(file.close().ok());
    EXPECT_EQ(readFile(dir / "out.txt"), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary file stays";
}

TEST_F(LineFileTest, FailedWriteOpenDropsLinesAndNextOpenWorks) {
    LineFile file(*host);
    EXPECT_FALSE(file.openWrite(dir.programPath("no folder/out.txt")).ok());
    file.writeLine("dropped");
    EXPECT_EQ(file.close().cause(), Cause::Missing) << "closing gives the failure of the open";
    EXPECT_TRUE(file.close().ok()) << "closing a closed handle does nothing";

    std::filesystem::create_directory(dir / "taken");
    EXPECT_FALSE(file.openWrite(dir.programPath("taken")).ok());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken"));

    EXPECT_TRUE(file.openWrite(dir.programPath("fine.txt")).ok());
    file.writeLine("ok");
    EXPECT_TRUE(file.close().ok());
    EXPECT_EQ(readFile(dir / "fine.txt"), "ok\r\n");
}

// A host whose files stop accepting bytes after a budget, like a full disk.
class FullDiskHost : public ForwardingHost {
public:
    FullDiskHost(Host& inner, std::size_t budget) : ForwardingHost(inner), budget_(budget) {}
    Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* copyOf) override {
        auto real = inner_.createNew(path, copyOf);
        if (!real.ok()) return real;
        return std::unique_ptr<NewFile>(std::make_unique<Limited>(std::move(real.value()), budget_));
    }

private:
    class Limited : public NewFile {
    public:
        Limited(std::unique_ptr<NewFile> real, std::size_t budget) : real_(std::move(real)), budget_(budget) {}
        bool write(const char* data, std::size_t size) override {
            if (size > budget_) {
                real_->write(data, budget_);  // part of the bytes reach the disk
                budget_ = 0;
                return false;
            }
            budget_ -= size;
            return real_->write(data, size);
        }
        Status finish(bool durable) override { return real_->finish(durable); }

    private:
        std::unique_ptr<NewFile> real_;
        std::size_t budget_;
    };
    std::size_t budget_;
};

TEST_F(LineFileTest, WriteFailingMidwayKeepsOldContentAndLeavesNoTemporary) {
    const std::string old = "old 1\r\nold 2\r\n";
    writeFile(dir / "sel.ini", old);
    FullDiskHost full(*host, 10);
    LineFile file(full);
    ASSERT_TRUE(file.openWrite(dir.programPath("sel.ini")).ok());
    file.writeLine("new line one");
    file.writeLine("new line two");
    EXPECT_FALSE(file.close().ok());
    EXPECT_EQ(readFile(dir / "sel.ini"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file removed";

    // The failure leaves nothing behind in the handle.
    LineFile again(*host);
    ASSERT_TRUE(again.openWrite(dir.programPath("sel.ini")).ok());
    again.writeLine("fresh");
    EXPECT_TRUE(again.close().ok());
    EXPECT_EQ(readFile(dir / "sel.ini"), "fresh\r\n");
}

TEST_F(LineFileTest, ReopeningTheHandleClosesTheEarlierFile) {
    writeFile(dir / "in.txt", "one\ntwo\n");
    LineFile file(*host);
    file.openWrite(dir.programPath("first.txt"));
    file.writeLine("kept");
    file.openRead(dir.programPath("in.txt"));  // the write is completed first
    EXPECT_EQ(file.readLine(), "one");
    EXPECT_EQ(readFile(dir / "first.txt"), "kept\r\n");
}

}  // namespace
}  // namespace modsetup
