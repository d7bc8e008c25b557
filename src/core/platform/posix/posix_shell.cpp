#include "core/platform/posix/posix_shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "core/platform/posix/posix_files.h"

namespace modsetup {
namespace {

// The variable WINE names the Wine to run, as for Wine's own tools; without
// it "wine" is found on the PATH.
constexpr const char* kWineVariable = "WINE";
constexpr const char* kDefaultWine = "wine";
// The script goes to Wine's shell, "start", which opens it as Windows' shell
// opens a document: the script's path in double quotes on the command line
// of the command interpreter. Handed to the interpreter itself ("cmd /c"),
// the name would be split at ; , and = into several commands, and Wine
// writes any double quote of its own arguments as \", which the interpreter
// does not read as quoting. "/min": the game's window starts minimised, as
// the Windows program asks.
constexpr std::array<const char*, 2> kWineShellOpen = {"start", "/min"};
// How long Play waits for Wine's verdict. A Wine that cannot open the script
// (a missing file, a broken Wine) ends at once with a failure status; one
// still running after this has taken the script and may be running the game
// itself, which nobody waits for.
constexpr auto kPlayVerdictWait = std::chrono::seconds(2);
constexpr auto kPlayVerdictPoll = std::chrono::milliseconds(10);

}  // namespace

Status openWithWine(const std::string& hostPath) {
    // "$WINE start /min <script>" in the script's folder (the working
    // directory, where Play writes it), in a session of its own, with the
    // environment as it is (WINEPREFIX and all).
    const std::size_t cut = hostPath.rfind('/');
    std::string script = cut == std::string::npos ? hostPath : hostPath.substr(cut + 1);
    const char* named = std::getenv(kWineVariable);
    std::string wine = named != nullptr && *named != '\0' ? named : kDefaultWine;
    std::vector<char*> argv{wine.data()};
    for (const char* word : kWineShellOpen) argv.push_back(const_cast<char*>(word));
    argv.push_back(script.data());
    argv.push_back(nullptr);

    const std::string folder = cut == 0 ? "/" : hostPath.substr(0, cut);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (cut != std::string::npos) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child;
    const int spawnError = posix_spawnp(&child, wine.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0) return Failure{Cause::NotStarted, errorText(spawnError), spawnError, wine};

    const auto deadline = std::chrono::steady_clock::now() + kPlayVerdictWait;
    int status = 0;
    for (;;) {
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child) break;
        if (ended < 0 && errno != EINTR) return done();                   // cannot be asked: it was started
        if (std::chrono::steady_clock::now() >= deadline) return done();  // still running: it took the script
        std::this_thread::sleep_for(kPlayVerdictPoll);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return done();
    if (WIFEXITED(status)) return Failure{Cause::EndedWithStatus, {}, WEXITSTATUS(status), wine};
    return Failure{Cause::EndedBySignal, {}, WTERMSIG(status), wine};
}

}  // namespace modsetup
