#pragma once
// Keeps the program inside the set library, a folder that came as an archive
// and may hold links that lead anywhere. A ConfinedHost reads a file or folder
// below that folder (a path as the program writes it) only where it really
// lies inside it, however links lead, and refuses it otherwise (Cause::Outside,
// PathKind::Outside); links that stay inside work. A host that gives no
// confinement gets every read below the folder refused the same way. Everything
// else, writes included, goes to the host it wraps. Each load, Apply and check of a set
// library reads through one, made for that run.

#include <memory>
#include <string>

#include "core/io/forwarding_host.h"

namespace modsetup {

class ConfinedHost final : public ForwardingHost {
public:
    // The folder itself may be a link: where it really is is found once, here.
    ConfinedHost(Host& inner, const std::string& folder);

    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override;
    PathKind pathKind(const std::string& path) override;
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override;

private:
    // Whether a path lies below the folder by its name.
    bool covers(const std::string& path) const;

    std::string prefix_;  // the folder and a backslash
    std::unique_ptr<Confinement> confinement_;
};

}  // namespace modsetup
