#pragma once
// Keeps the program inside the set library, a folder that came as an archive
// and may hold links that lead anywhere. A ConfinedHost reads a file or folder
// below that folder (a path as the program writes it) only where it really
// lies inside it, however links lead, and refuses it otherwise (Cause::Outside,
// PathKind::Outside); links that stay inside work. Everything else, writes
// included, goes to the host it wraps. Each load, Apply and check of a set
// library reads through one, made for that run.

#include <memory>
#include <string>

#include "core/platform/host.h"

namespace modsetup {

class ConfinedHost final : public Host {
public:
    // The folder itself may be a link: where it really is is found once, here.
    ConfinedHost(Host& inner, const std::string& folder);

    std::string programPath() override { return inner_.programPath(); }
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override;
    Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* copyOf) override {
        return inner_.createNew(path, copyOf);
    }
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        return inner_.moveOver(from, to, durable);
    }
    Status deleteFile(const std::string& path) override { return inner_.deleteFile(path); }
    Status createDirectory(const std::string& path) override { return inner_.createDirectory(path); }
    PathKind pathKind(const std::string& path) override;
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override;
    std::unique_ptr<Confinement> confine(const std::string& folder) override { return inner_.confine(folder); }
    Status shellOpen(const std::string& path, WindowHandle owner) override { return inner_.shellOpen(path, owner); }
    Clock::time_point now() override { return inner_.now(); }
    void sleepFor(std::chrono::milliseconds duration) override { inner_.sleepFor(duration); }

private:
    // Whether a path lies below the folder by its name.
    bool covers(const std::string& path) const;

    Host& inner_;
    std::string prefix_;  // the folder and a backslash
    std::unique_ptr<Confinement> confinement_;
};

}  // namespace modsetup
