#include "core/io/confined_host.h"

namespace modsetup {

ConfinedHost::ConfinedHost(Host& inner, const std::string& folder)
    : ForwardingHost(inner), prefix_(folder + "\\"), confinement_(inner.confine(folder)) {}

bool ConfinedHost::covers(const std::string& path) const {
    return confinement_ && path.size() > prefix_.size() && path.compare(0, prefix_.size(), prefix_) == 0;
}

Result<std::unique_ptr<InputFile>> ConfinedHost::openRead(const std::string& path) {
    return covers(path) ? confinement_->openRead(path) : inner_.openRead(path);
}

PathKind ConfinedHost::pathKind(const std::string& path) {
    return covers(path) ? confinement_->pathKind(path) : inner_.pathKind(path);
}

Result<std::vector<FolderEntry>> ConfinedHost::listFolder(const std::string& folder) {
    return covers(folder) ? confinement_->listFolder(folder) : inner_.listFolder(folder);
}

}  // namespace modsetup
