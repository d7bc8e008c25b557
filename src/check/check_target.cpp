#include "check/check_target.h"

#include "core/game/slots.h"
#include "core/library/config.h"

namespace modsetup::check {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// A folder holding mod.ini or a slot folder; anything else is taken for a
// wrong path rather than checked as a library that lacks everything.
bool looksLikeLibrary(Host& host, const std::string& folder) {
    if (host.pathKind(modIniPath(folder)) == PathKind::File) return true;
    for (const SlotInfo& slot : kSlots)
        if (host.pathKind(folder + "\\" + std::string(slot.folder)) == PathKind::Directory) return true;
    return false;
}

}  // namespace

CheckTarget findCheckTarget(Host& host, const std::optional<std::string>& path) {
    CheckTarget target;
    target.given = path.value_or(std::string(kDefaultProgramFile));
    switch (host.pathKind(target.given)) {
    case PathKind::Missing:
    case PathKind::Outside:  // nothing is confined before the check begins
        target.problem = path ? TargetProblem::NoSuchPath : TargetProblem::NoProgramFile;
        return target;
    case PathKind::File:
        // Exactly as the program derives ConfigBase from its own file; the
        // problems name it, as the folder it looked for.
        target.configBase = deriveConfigBase(target.given);
        if (host.pathKind(target.configBase) != PathKind::Directory) target.problem = TargetProblem::NoLibraryBeside;
        else if (!looksLikeLibrary(host, target.configBase)) target.problem = TargetProblem::NotALibrary;
        return target;
    case PathKind::Directory: {
        // "modsetup/" names the folder "modsetup", whose selections file is "modsetup.ini".
        std::string folder = target.given;
        while (folder.size() > 1 && isSeparator(folder.back()) && folder[folder.size() - 2] != ':') folder.pop_back();
        if (looksLikeLibrary(host, folder)) target.configBase = std::move(folder);
        else target.problem = TargetProblem::NotALibrary;
        return target;
    }
    }
    return target;
}

}  // namespace modsetup::check
