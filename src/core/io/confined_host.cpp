#include "core/io/confined_host.h"

namespace modsetup {

ConfinedHost::ConfinedHost(Host& inner, const std::string& folder)
    : ForwardingHost(inner), prefix_(folder + "\\"), confinement_(inner.confine(folder)) {}

bool ConfinedHost::covers(const std::string& path) const {
    return path.size() > prefix_.size() && path.compare(0, prefix_.size(), prefix_) == 0;
}

// Without a confinement nothing below the folder can be judged, so nothing
// there is read: a host that cannot confine fails closed.
Result<std::unique_ptr<InputFile>> ConfinedHost::openRead(const std::string& path) {
    if (!covers(path)) return inner_.openRead(path);
    return confinement_ ? confinement_->openRead(path) : Cause::Outside;
}

PathKind ConfinedHost::pathKind(const std::string& path) {
    if (!covers(path)) return inner_.pathKind(path);
    return confinement_ ? confinement_->pathKind(path) : PathKind::Outside;
}

Result<std::vector<FolderEntry>> ConfinedHost::listFolder(const std::string& folder) {
    if (!covers(folder)) return inner_.listFolder(folder);
    return confinement_ ? confinement_->listFolder(folder) : Cause::Outside;
}

}  // namespace modsetup
