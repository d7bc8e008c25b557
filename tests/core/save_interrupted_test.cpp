// A save of the selections file cut short by the death of the process, at
// random points: the file then holds the complete old or the complete new
// seventeen lines, never a mix or a truncation. POSIX only: the saving
// process is a forked child that is killed.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "core/io/forwarding_host.h"
#include "core/library/config.h"
#include "test_support.h"

namespace modsetup {
namespace {

// What kills the saving process: after `budget` bytes of the file were
// written; or, once every byte was written, just before or just after the
// file replaces the old one.
struct KillPoint {
    enum Moment { AfterBytes, BeforeCommit, AfterCommit } moment = AfterBytes;
    std::size_t budget = 0;
};

[[noreturn]] void dieNow() {
    ::kill(::getpid(), SIGKILL);
    ::_exit(99);  // not reached
}

class KillingHost : public ForwardingHost {
public:
    KillingHost(Host& inner, KillPoint point) : ForwardingHost(inner), point_(point) {}
    Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* copyOf) override {
        auto real = inner_.createNew(path, copyOf);
        if (!real.ok()) return real;
        return std::unique_ptr<NewFile>(std::make_unique<Dying>(std::move(real.value()), point_));
    }
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        if (point_.moment == KillPoint::BeforeCommit) dieNow();
        const Status moved = inner_.moveOver(from, to, durable);
        if (point_.moment == KillPoint::AfterCommit) dieNow();
        return moved;
    }

private:
    class Dying : public NewFile {
    public:
        Dying(std::unique_ptr<NewFile> real, KillPoint point) : real_(std::move(real)), point_(point) {}
        bool write(const char* data, std::size_t size) override {
            if (point_.moment == KillPoint::AfterBytes && written_ + size > point_.budget) {
                real_->write(data, point_.budget - written_);
                dieNow();
            }
            written_ += size;
            return real_->write(data, size);
        }
        Status finish(bool durable) override { return real_->finish(durable); }

    private:
        std::unique_ptr<NewFile> real_;
        KillPoint point_;
        std::size_t written_ = 0;
    };
    KillPoint point_;
};

SlotTexts textsNamed(const std::string& prefix) {
    SlotTexts texts;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        texts[slot] = prefix + " set of slot " + std::to_string(slot + 1);
    return texts;
}

class InterruptedSave : public ::testing::Test {
protected:
    std::unique_ptr<Host> system = makeSystemHost();
    testing::ScratchDir dir;
    std::string configBase = dir.programPath("modsetup");
    std::filesystem::path selections = dir / "modsetup.ini";
    const SlotTexts oldTexts = textsNamed("Old");
    const SlotTexts newTexts = textsNamed("New");
    const std::string oldBytes = selectionsText(oldTexts, false).value();
    const std::string newBytes = selectionsText(newTexts, true).value();

    void SetUp() override { testing::writeFile(selections, oldBytes); }

    // Waits for the child and checks that it was killed (or ended as given).
    static void reap(pid_t child, bool mayExit) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (WIFSIGNALED(status)) {
            EXPECT_EQ(WTERMSIG(status), SIGKILL);
        } else {
            EXPECT_TRUE(mayExit) << "the save ran to its end where it should have been killed";
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    }

    // The selections file holds one of the complete texts; at most one stray
    // temporary file of the killed process lies beside it, and is removed.
    // Returns whether there was one.
    bool expectWholeFile(pid_t child, const std::string& what) {
        bool stray = false;
        const std::string content = testing::readFile(selections);
        EXPECT_TRUE(content == oldBytes || content == newBytes) << what << ": the file holds\n" << content;
        const std::string temporary = "modsetup.ini.~" + std::to_string(child);
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            if (name == "modsetup.ini") continue;
            EXPECT_EQ(name, temporary) << what << ": unexpected file";
            EXPECT_FALSE(stray) << what << ": more than one file beside the selections file";
            std::filesystem::remove(entry.path());
            stray = true;
        }
        return stray;
    }
};

TEST_F(InterruptedSave, ProcessKilledAtAnyByteOrAroundTheReplaceLeavesAWholeFile) {
    std::mt19937 random(20240611);
    const std::size_t size = newBytes.size();
    for (int round = 0; round < 30; ++round) {
        KillPoint point;
        if (round == 0) point = {KillPoint::AfterBytes, 0};
        else if (round == 1) point = {KillPoint::BeforeCommit, size};
        else if (round == 2) point = {KillPoint::AfterCommit, size};
        else point = {KillPoint::AfterBytes, std::uniform_int_distribution<std::size_t>(0, size - 1)(random)};

        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            KillingHost host(*system, point);
            LineFile handle(host);
            (void)writeSelections(handle, configBase, newTexts, true);  // killed in it, or done
            ::_exit(0);
        }
        reap(child, false);
        const std::string what = "round " + std::to_string(round) + ", killed after " + std::to_string(point.budget) +
                                 " bytes, moment " + std::to_string(point.moment);
        const bool stray = expectWholeFile(child, what);
        // The temporary file is named after the process, so a killed save
        // leaves it behind until a process of the same number saves again.
        // Nothing reads it, and the selections file is whole either way.
        EXPECT_EQ(stray, point.moment != KillPoint::AfterCommit) << what;
        const std::string content = testing::readFile(selections);
        if (point.moment == KillPoint::AfterCommit) {
            EXPECT_EQ(content, newBytes) << what;
        } else {
            EXPECT_EQ(content, oldBytes) << what << ": an unfinished save replaced the file";
        }
        testing::writeFile(selections, oldBytes);
    }
}

TEST_F(InterruptedSave, ProcessKilledAfterARandomDelayLeavesAWholeFile) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            // Saves the one and the other choice over and over until killed.
            LineFile handle(*system);
            for (bool newer = true;; newer = !newer)
                (void)writeSelections(handle, configBase, newer ? newTexts : oldTexts, newer);  // until killed
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
        ::kill(child, SIGKILL);
        reap(child, false);
        expectWholeFile(child, "round " + std::to_string(round));
    }
}

}  // namespace
}  // namespace modsetup

#endif  // _WIN32
