#pragma once
// A host that hands every operation to another one: the base of the hosts
// that stand in front of another (a confined one, one that watches what Apply
// changes), and of the tests' hosts that override a single operation to
// inject a failure or record a call.

#include "core/io/host.h"

namespace modsetup {

class ForwardingHost : public Host {
public:
    explicit ForwardingHost(Host& inner) : inner_(inner) {}

    std::string programPath() override { return inner_.programPath(); }
    std::string workingDirectory() override { return inner_.workingDirectory(); }
    Result<std::unique_ptr<InputFile>> openRead(const std::string& path) override { return inner_.openRead(path); }
    Result<std::unique_ptr<NewFile>> createNew(const std::string& path, const InputFile* copyOf) override {
        return inner_.createNew(path, copyOf);
    }
    Status moveOver(const std::string& from, const std::string& to, bool durable) override {
        return inner_.moveOver(from, to, durable);
    }
    Status deleteFile(const std::string& path) override { return inner_.deleteFile(path); }
    Status createDirectory(const std::string& path) override { return inner_.createDirectory(path); }
    Status removeDirectory(const std::string& path) override { return inner_.removeDirectory(path); }
    Status createLink(const std::string& existing, const std::string& link) override {
        return inner_.createLink(existing, link);
    }
    Status moveFolder(const std::string& from, const std::string& to) override { return inner_.moveFolder(from, to); }
    Status moveToTrash(const std::string& path) override { return inner_.moveToTrash(path); }
    Result<std::unique_ptr<HeldFile>> holdFile(const std::string& path) override { return inner_.holdFile(path); }
    PathKind pathKind(const std::string& path) override { return inner_.pathKind(path); }
    NodeKind nodeKind(const std::string& path) override { return inner_.nodeKind(path); }
    std::optional<std::string> nameOnDisk(const std::string& path) override { return inner_.nameOnDisk(path); }
    Host& usersOwnPaths() override { return inner_.usersOwnPaths(); }
    Result<std::vector<FolderEntry>> listFolder(const std::string& folder) override {
        return inner_.listFolder(folder);
    }
    std::unique_ptr<Confinement> confine(const std::string& folder) override { return inner_.confine(folder); }
    Status shellOpen(const std::string& path, WindowHandle owner) override { return inner_.shellOpen(path, owner); }
    Clock::time_point now() override { return inner_.now(); }
    void sleepFor(std::chrono::milliseconds duration) override { inner_.sleepFor(duration); }

protected:
    Host& inner_;
};

}  // namespace modsetup
