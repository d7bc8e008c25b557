#pragma once
// A host that hands every operation to another one. Tests derive from it and
// override a single operation to inject a failure or record a call.

#include "core/platform/host.h"

namespace modsetup {

class ForwardingHost : public Host {
public:
    explicit ForwardingHost(Host& inner) : inner_(inner) {}

    std::string programPath() override { return inner_.programPath(); }
    std::unique_ptr<InputFile> openRead(const std::string& path, std::string& reason) override {
        return inner_.openRead(path, reason);
    }
    std::unique_ptr<OutputFile> openReplace(const std::string& path, FileFailure& failure) override {
        return inner_.openReplace(path, failure);
    }
    FileResult createDirectory(const std::string& path) override { return inner_.createDirectory(path); }
    FileResult deleteFile(const std::string& path) override { return inner_.deleteFile(path); }
    FileResult copyFile(const std::string& source, const std::string& target) override {
        return inner_.copyFile(source, target);
    }
    PathKind pathKind(const std::string& path) override { return inner_.pathKind(path); }
    bool listFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override {
        return inner_.listFolder(pattern, entries);
    }
    bool shellOpen(const std::string& path, WindowHandle owner, std::string& reason) override {
        return inner_.shellOpen(path, owner, reason);
    }
    void confineBelow(const std::string& folder) override { inner_.confineBelow(folder); }

protected:
    Host& inner_;
};

}  // namespace modsetup
