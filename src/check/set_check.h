#pragma once
// Checks one set: every file its slot's previews show and Apply installs,
// each picture decoded by the program's own decoder, and for a weapon set its
// name.txt and stats.ini read by the program's own line reader. Every path is
// built as the program builds it and goes through the host, so names are
// matched with the program's own letter-case rules.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "check/findings.h"
#include "core/formats/picture.h"
#include "core/game/slots.h"
#include "core/io/host.h"
#include "core/io/line_file.h"
#include "core/library/set_files.h"

namespace modsetup::check {

// "1/Desert Gold/sfx" from the program's "1\Desert Gold\sfx": the host's separator.
std::string shownPath(std::string_view programPath);

// A bitmap's verdict at a path: loaded through the host (the default), or
// known already, as for a set still in an archive, whose bitmaps were
// judged while it was read.
using PictureReader = std::function<PictureLoad(const std::string& path)>;

class SetCheck {
public:
    SetCheck(Host& host, std::string configBase, PictureReader pictures = {});

    // Appends the set's findings to result, in the order of its files.
    void run(std::size_t slot, const std::string& set, CheckResult& result);

private:
    struct Folder;
    std::string whyUnusable(const std::string& path, const Failure& failure);
    void checkFile(const SetFile& file, std::vector<Folder>& folders, CheckResult& result);
    void checkNameFile(CheckResult& result);
    void checkStatsFile(CheckResult& result);
    Folder* absentFolder(std::string_view suffix, std::vector<Folder>& folders);
    std::vector<std::string> unreadFolders(std::string_view parent);
    void checkLeftovers(const std::vector<Folder>& absent, CheckResult& result);
    void add(Severity severity, std::string_view suffix, std::string text, CheckResult& result) const;

    Host& host_;
    std::string configBase_;
    PictureReader pictures_;
    LineFile lines_;
    std::array<std::vector<SetFile>, kSlotCount> files_;
    std::array<std::vector<std::string>, kSlotCount> folders_;  // suffixes of the set folder ("") and its sub-folders

    // The set being checked.
    std::size_t slot_ = 0;
    std::string folder_;    // the set folder as the program writes it
    std::string place_;     // the set folder as the report shows it
    bool outside_ = false;  // the set folder itself leads outside the set library
    bool setFolderLooked_ = false;
};

}  // namespace modsetup::check
