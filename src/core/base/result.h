#pragma once
// What an operation of the host came to: its value, or a failure that says
// why. Every operation of the host answers this way, and the program decides
// by the cause, never by the system's words, which only go into messages.

#include <string>
#include <utility>
#include <variant>

namespace modsetup {

// Why an operation was not done.
enum class Cause {
    Missing,       // nothing there: a file to read, copy or delete, or a folder to list
    Exists,        // a new file's name is taken already (by a file, a folder or a link)
    NotRegular,    // a named pipe, a device or a socket where a file is expected: never opened
    Unreadable,    // there, but it cannot be opened or read (a folder where a file is expected)
    Outside,       // below the set library by its name, but really outside it (a link): never read
    InUse,         // another program holds the file
    AccessDenied,  // the system does not let this user write there
    // A program the host runs for the operation (Wine, which opens the launch
    // script on POSIX) could not be started, ended at once with a failure
    // status, or was ended by a signal.
    NotStarted,
    EndedWithStatus,
    EndedBySignal,
    ShellRefused,  // the system's shell did not open the document, for a reason of its own (code)
    TooLarge,      // holds more bytes than its reader takes (code: that limit)
    Failed,        // any other cause
};

struct Failure {
    Failure(Cause cause = Cause::Failed, std::string systemText = {}, long code = 0, std::string program = {})
        : cause(cause), systemText(std::move(systemText)), code(code), program(std::move(program)) {}

    Cause cause;
    std::string systemText;  // the system's own words for it, where it gave any
    // The system's number for it: an error code (which the words, where there
    // are any, explain), a program's exit status or signal, the shell's code.
    long code;
    std::string program;  // the program the host ran for it, where that one failed
};

// The value of an operation that gives none.
struct Done {};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Failure failure) : state_(std::move(failure)) {}
    Result(Cause cause) : state_(Failure{cause, {}}) {}

    bool ok() const { return state_.index() == 0; }
    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    const Failure& failure() const { return std::get<1>(state_); }
    // The failure's cause; only asked of a result that is not ok().
    Cause cause() const { return failure().cause; }
    bool failedWith(Cause cause) const { return !ok() && failure().cause == cause; }

private:
    std::variant<T, Failure> state_;
};

using Status = Result<Done>;

inline Status done() { return Done{}; }

}  // namespace modsetup
