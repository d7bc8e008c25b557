// The restore points Apply keeps: after any series of Applies, a restore
// brings the game mod folder (files and folders) and the selections file back
// byte for byte as they were at the point, also after an Apply that failed
// part-way or was killed at any of its commits.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>

#include "apply_library.h"
#include "core/install/apply.h"
#include "core/io/forwarding_host.h"
#include "core/restore/restore_points.h"
#include "restore_fixture.h"

namespace modsetup {
namespace {

namespace fs = std::filesystem;
using testing::GameFolder;

// Fails, or kills the process, at the nth time a file is put in its place
// in the game folder or the selections file (the restore folder's own
// commits are not counted).
class FailingHost : public ForwardingHost {
public:
    enum Way { Fail, KillBefore, KillAfter, KillBeforePoint };
    FailingHost(Host& inner, int nth, Way way) : ForwardingHost(inner), nth_(nth), way_(way) {}
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        if (to.find(".restore") != std::string::npos) {
#ifndef _WIN32
            if (way_ == KillBeforePoint && to.ends_with("manifest.txt")) ::kill(::getpid(), SIGKILL);
#endif
            return ForwardingHost::moveOver(from, to, durable);
        }
        const bool now = ++seen_ == nth_;
#ifndef _WIN32
        if (now && way_ == KillBefore) ::kill(::getpid(), SIGKILL);
#endif
        if (now && way_ == Fail) return Cause::Failed;
        Status moved = ForwardingHost::moveOver(from, to, durable);
#ifndef _WIN32
        if (now && way_ == KillAfter) ::kill(::getpid(), SIGKILL);
#endif
        return moved;
    }

    int seen() const { return seen_; }

private:
    int nth_;
    Way way_;
    int seen_ = 0;
};

TEST_F(RestorePoints, ARestoreBringsBackTheGameFolderAsItWasAtThePoint) {
    const struct Row {
        const char* what;
        std::function<void(RestorePoints&)> before;  // run first; the state after it is what the restore brings back
        std::function<void(RestorePoints&)> after;   // the Applies the restore undoes
        RestorePoint point;
    } rows[] = {
        {"a file replaced", [](auto& t) { t.apply(t.gold); }, [](auto& t) { t.apply(t.silver); }, RestorePoint::Last},
        {"weapons.ini deleted", [](auto& t) { t.apply(t.gold); }, [](auto& t) { t.apply(t.gold, false); },
         RestorePoint::Last},
        {"an Apply that changes nothing keeps the point", [](auto& t) { t.apply(t.gold); },
         [](auto& t) {
             t.apply(t.silver);
             t.apply(t.silver);
         },
         RestorePoint::Last},
        {"files and folders created, and the original recorded once", [](auto&) {},
         [](auto& t) {
             t.apply(t.gold);
             t.apply(t.silver);
             t.apply(t.gold, false);
         },
         RestorePoint::Original},
        {"an Apply that failed part-way", [](auto& t) { t.apply(t.gold); },
         [](auto& t) {
             FailingHost failing(*t.system, 40, FailingHost::Fail);
             EXPECT_FALSE(t.apply(t.silver, true, &failing).succeeded());
         },
         RestorePoint::Last},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(restoreFolderPath(configBase));
        fs::remove_all(game.modFolder("Desert"));
        fs::remove(game.dir() / "modsetup.ini");
        row.before(*this);
        const GameState atPoint = state();
        row.after(*this);
        ASSERT_NE(state(), atPoint) << "the Applies changed something";

        ASSERT_TRUE(offered(row.point));
        const RestoreOutcome outcome = restoreTo(row.point);
        EXPECT_TRUE(outcome.found);
        EXPECT_EQ(outcome.failed, std::vector<std::string>{});
        EXPECT_EQ(state(), atPoint);
        // "last" is used up; "original" stays.
        EXPECT_EQ(offered(row.point), row.point == RestorePoint::Original);
    }
}

// A point belongs to the game folder it was recorded in: from another one,
// whose "mods" folder is another, it is not offered.
TEST_F(RestorePoints, APointOfAnotherGameFolderIsNotRestored) {
    apply(gold);
    apply(silver);
    const testing::ScratchDir other;
    fs::create_directory(other / "mods");
    const testing::WorkingDirectory elsewhere(other.path());
    for (const RestorePoint point : {RestorePoint::Last, RestorePoint::Original}) {
        EXPECT_FALSE(offered(point));
        EXPECT_FALSE(restoreTo(point).found);
    }
    EXPECT_TRUE(fs::is_empty(other / "mods"));
}

// Files are recorded under the names the file system holds: after the mod
// name's letter case changed, the original files are the same ones.
TEST_F(RestorePoints, AModNameWhoseLetterCaseChangedRestoresTheSameFiles) {
    fs::remove(game.dir() / "modsetup.ini");
    const GameState before = state();
    apply(gold);
    apply(silver, true, nullptr, "DESERT");
    const RestoreOutcome outcome = restoreTo(RestorePoint::Original, "DESERT");
    EXPECT_TRUE(outcome.found);
    EXPECT_EQ(outcome.failed, std::vector<std::string>{});
    EXPECT_EQ(state(), before);
}

// Records the renames in the restore folder, and refuses to make its pending
// point when told to.
struct RestoreFolderHost : ForwardingHost {
    using ForwardingHost::ForwardingHost;
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        if (to.find(".restore") != std::string::npos) renames.push_back((durable ? "durable " : "") + to);
        return ForwardingHost::moveOver(from, to, durable);
    }
    Status createDirectory(const std::string& path) override {
        if (refusePoint && path.ends_with("\\next")) return Failure{Cause::Failed, "No space left on device"};
        return ForwardingHost::createDirectory(path);
    }
    std::vector<std::string> renames;
    bool refusePoint = false;
};

// Every rename of a point reaches the disk before the next step; an Apply
// that could keep no point drops "last", which no longer is what it says.
TEST_F(RestorePoints, PointsAreRenamedDurablyAndAnApplyWithoutOneDropsLast) {
    RestoreFolderHost host(*system);
    apply(gold, true, &host);
    apply(silver, true, &host);
    // The pending point's list twice and the original's once; "last" moved out once, the pending point in twice.
    ASSERT_EQ(host.renames.size(), 6u);
    for (const std::string& rename : host.renames) EXPECT_TRUE(rename.starts_with("durable ")) << rename;
    ASSERT_TRUE(offered(RestorePoint::Last));

    host.refusePoint = true;
    const ApplyOutcome outcome = apply(gold, true, &host);
    EXPECT_FALSE(outcome.restorePointKept);
    EXPECT_FALSE(offered(RestorePoint::Last));
    EXPECT_TRUE(offered(RestorePoint::Original));
}

#ifndef _WIN32
// An Apply killed just before or just after any of its commits leaves the
// point it began with; the next use of the restore folder takes it for
// "last", and the restore brings back the game folder as it was before that
// Apply, without the temporary file the killed write left. Killed before its point was whole, or before its first
// commit, it changed nothing.
TEST_F(RestorePoints, AnApplyKilledAtAnyCommitIsUndoneWhole) {
    apply(gold);
    FailingHost counting(*system, 0, FailingHost::Fail);
    apply(silver, true, &counting);
    const int commits = counting.seen();  // of an Apply of silver onto gold
    ASSERT_GT(commits, 70);
    const std::pair<int, FailingHost::Way> kills[] = {
        {0, FailingHost::KillBeforePoint},
        {1, FailingHost::KillBefore},
        {1, FailingHost::KillAfter},
        {2, FailingHost::KillAfter},
        {commits / 2, FailingHost::KillBefore},
        {commits - 1, FailingHost::KillAfter},
        {commits, FailingHost::KillBefore},
        {commits, FailingHost::KillAfter},
    };
    for (const auto& [nth, way] : kills) {
        SCOPED_TRACE("killed at commit " + std::to_string(nth) + " of " + std::to_string(commits) + ", way " +
                     std::to_string(way));
        fs::remove_all(restoreFolderPath(configBase));
        fs::remove_all(game.modFolder("Desert"));
        apply(gold);
        const GameState before = state();
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            FailingHost killing(*system, nth, way);
            apply(silver, true, &killing);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the Apply ran to its end";

        // Killed before its first change, it changed nothing, and "last" is
        // still the point of the Apply before; a restore removes the killed
        // write's temporary file, which nothing else touched here.
        const bool changed = way != FailingHost::KillBeforePoint && !(nth == 1 && way == FailingHost::KillBefore);
        if (changed) {
            const RestoreOutcome outcome = restoreTo(RestorePoint::Last);
            EXPECT_TRUE(outcome.found);
            EXPECT_EQ(outcome.failed, std::vector<std::string>{});
        }
        GameState after = state();
        if (!changed) std::erase_if(after, [](const auto& file) { return file.first.find(".~") != std::string::npos; });
        EXPECT_EQ(after, before);
    }
}
#endif

}  // namespace
}  // namespace modsetup
