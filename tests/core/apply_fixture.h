#pragma once
// The Apply tests' game folder and hosts (apply_test.cpp, apply_failures_test.cpp).

#include <gtest/gtest.h>

#include "apply_library.h"
#include "core/install/apply.h"
#include "core/io/forwarding_host.h"
#include "core/report/messages.h"

namespace modsetup {

// Notes every operation that changes the game folder or the selections
// file, with its path (the restore folder's own are not noted): a file put in
// its place is a program's own file written ("write", which reaches the disk
// first) or a set's file copied ("copy").
class RecordingHost : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    std::vector<std::string> calls;

    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        note((durable ? "write " : "copy ") + to);
        return ForwardingHost::moveOver(from, to, durable);
    }
    Status createDirectory(const std::string& path) override {
        note("create " + path);
        return ForwardingHost::createDirectory(path);
    }
    Status deleteFile(const std::string& path) override {
        note("delete " + path);
        return ForwardingHost::deleteFile(path);
    }

private:
    void note(const std::string& call) {
        if (call.find(".restore\\") == std::string::npos && !call.ends_with(".restore")) calls.push_back(call);
    }
};

// Fails every copy into team Bravo's folder, as a locked target would.
class BravoCopyFails : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        if (to.find("\\gostek-gfx\\team2\\") != std::string::npos) return Cause::Failed;
        return ForwardingHost::moveOver(from, to, durable);
    }
};

const std::vector<std::string> kTreeFolders = {
    "interface-gfx",    "interface-gfx/guns", "weapons-gfx",           "sfx", "txt", "anims", "gostek-gfx",
    "gostek-gfx/ranny", "gostek-gfx/team2",   "gostek-gfx/team2/ranny"};

class ApplyTest : public ::testing::Test {
protected:
    std::unique_ptr<Host> system = makeSystemHost();
    testing::GameFolder game;
    SlotTexts texts = game.addStandardSets();
    ProcessStrings strings{game.configBase(), "Desert Mod", "Desert"};

    ApplyOutcome apply(bool ticked, Host* host = nullptr) {
        Host& used = host ? *host : *system;
        return runApply(used, strings, texts, [ticked] { return ticked; });
    }
    std::filesystem::path mod() const { return game.modFolder("Desert"); }
    std::map<std::string, std::string> modFiles() const { return testing::filesBelow(mod()); }
    std::string selections() const { return testing::readFile(game.dir() / "modsetup.ini"); }
    std::string message(const ApplyOutcome& outcome) const { return applyFailureMessage(outcome, strings); }
};

}  // namespace modsetup
