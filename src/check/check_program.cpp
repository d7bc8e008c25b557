#include "check/check_program.h"

#include <optional>

#include "check/archive_check.h"
#include "check/check_target.h"
#include "check/library_check.h"
#include "check/messages.h"
#include "check/report.h"
#include "core/base/ascii_case.h"
#include "core/library/config.h"

namespace modsetup::check {
namespace {

struct CommandLine {
    std::optional<std::string> path;
    bool quiet = false;
    bool strict = false;  // warnings count as errors for the exit status
    bool help = false;
    std::optional<std::string> badArgument;  // the first argument that is none of the above
};

CommandLine parse(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool optionsEnd = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnd && argument == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && (argument == "-q" || argument == "--quiet")) {
            line.quiet = true;
        } else if (!optionsEnd && argument == "--strict") {
            line.strict = true;
        } else if (!optionsEnd && (argument == "-h" || argument == "--help" || argument == "/?")) {
            line.help = true;
        } else if ((optionsEnd || !argument.starts_with('-')) && !line.path) {
            line.path = argument;
        } else if (!line.badArgument) {
            line.badArgument = argument;
        }
    }
    return line;
}

// One line on the terminal, rewritten in place; each rewrite blanks what the
// last one left, and the line is wiped before the report follows.
class ProgressLine {
public:
    explicit ProgressLine(std::ostream& terminal) : terminal_(terminal) {}
    ~ProgressLine() { wipe(); }

    void show(std::size_t done, std::size_t total) {
        // Redrawn now and then: a terminal is slow next to a set check.
        if (done % 64 != 1 && done != total) return;
        const std::string text = progressText(done, total);
        terminal_ << '\r' << text << std::string(shown_ > text.size() ? shown_ - text.size() : 0, ' ') << std::flush;
        shown_ = text.size();
    }

    void wipe() {
        if (shown_ == 0) return;
        terminal_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
        shown_ = 0;
    }

private:
    std::ostream& terminal_;
    std::size_t shown_ = 0;
};

// Any file but a program file is read as an archive of sets.
bool isArchivePath(Host& host, const std::optional<std::string>& path) {
    return path && host.pathKind(*path) == PathKind::File && !lowerAscii(*path).ends_with(".exe");
}

int checkArchiveFile(Host& host, const CommandLine& line, std::ostream& out, std::ostream& err) {
    // The sets' names are looked up in the library the window beside would add them to.
    const CheckTarget library = findCheckTarget(host, std::nullopt);
    const ArchiveCheck check =
        checkArchive(host, *line.path, library.problem == TargetProblem::None ? library.configBase : std::string());
    if (check.plan.fault == ArchiveFault::Unopenable || check.plan.fault == ArchiveFault::NotAnArchive) {
        err << archiveUnreadableText(*line.path, check.plan.fault, check.plan.failure.systemText) << '\n';
        return kExitNotChecked;
    }
    writeArchiveReport(out, *line.path, check, line.quiet);
    out.flush();
    const bool failed =
        !check.plan.canAdd() || (line.strict && check.count(Severity::Error) + check.count(Severity::Warning) > 0);
    return failed ? kExitErrors : kExitNoErrors;
}

}  // namespace

int runCheckProgram(Host& host, const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                    bool progressLine) {
    const CommandLine line = parse(arguments);
    if (line.help) {
        out << usageText();
        return kExitNoErrors;
    }
    if (line.badArgument) {
        err << badArgumentText(*line.badArgument) << '\n';
        return kExitNotChecked;
    }
    if (isArchivePath(host, line.path)) return checkArchiveFile(host, line, out, err);
    const CheckTarget target = findCheckTarget(host, line.path);
    if (target.problem != TargetProblem::None) {
        err << checkTargetText(target) << '\n';
        return kExitNotChecked;
    }

    CheckResult result;
    {
        ProgressLine progress(err);
        Progress tell;
        if (progressLine && !line.quiet)
            tell = [&](std::size_t done, std::size_t total) { progress.show(done, total); };
        result = checkLibrary(host, target.configBase, tell);
    }
    ReportHeading heading{target.configBase, selectionsPath(target.configBase)};
    heading.selectionsPresent = host.pathKind(heading.selections) == PathKind::File;
    writeReport(out, heading, result, line.quiet);
    out.flush();
    const bool failed = result.count(Severity::Error) > 0 || (line.strict && result.count(Severity::Warning) > 0);
    return failed ? kExitErrors : kExitNoErrors;
}

}  // namespace modsetup::check
