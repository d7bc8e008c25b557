#pragma once
// Where the restore points lie, and how they are read and removed. The
// restore folder, ConfigBase + ".restore", lies beside the set library,
// where players unpack downloaded packs, and may be copied or shipped along
// with a game folder; so nothing in it is taken for the program's own until
// it is seen to be:
//
// - It is read and written only beneath itself: each name on the way, from
//   the restore folder down, is looked at as it is (a link is not followed),
//   and a link, a device, a pipe or a name the program never writes makes
//   the point it stands in unusable: not offered, not settled, not removed.
// - Each game folder keeps its points in a subfolder of its own, named after
//   the game folder's path (16 hex digits of its hash); the points there
//   name the game folder too. Points of other game folders are left as they
//   are. Points that an earlier version kept directly in the restore folder
//   are used when they name this game folder and pass every check, and are
//   taken over into its subfolder at the next Apply or restore.
// - A point names only what a restore may touch (restore_list.h).

#include <memory>
#include <string>
#include <string_view>

#include "core/io/confined_host.h"
#include "core/io/host.h"
#include "core/restore/restore_list.h"

namespace modsetup {

// ConfigBase + ".restore".
std::string restoreFolderPath(const std::string& configBase);

// The points of a game folder: the pending one while an Apply runs, the two
// kept ones, and "last" on its way out.
enum class PointName { Pending, Last, Original, Dropped };

struct PointLook {
    enum class State {
        Absent,    // nothing there, or a point of another game folder
        NotWhole,  // a point folder without its list: recorded part-way
        Usable,
        Unusable,  // something the program never writes there, or a list it cannot use
    };
    State state = State::Absent;
    std::string folder;  // where it lies
    PointList list;      // when usable
    bool kept = false;   // directly in the restore folder, as an earlier version kept it
};

class RestoreFolder {
public:
    // The restore folder of the program at configBase, for the game folder
    // that is the working directory, and the mod modName.
    RestoreFolder(Host& host, const std::string& configBase, const std::string& modName);

    // ConfigBase + ".restore", as messages name it.
    const std::string& path() const { return root_; }
    const std::string& gameFolder() const { return gameFolder_; }

    // Reads a point without changing anything: this game folder's own, or
    // else one kept directly in the restore folder.
    PointLook look(PointName name);
    // Whether anything looked at so far is something the program never
    // writes there: the restore folder or this game folder's subfolder not a
    // folder (a link among them), or an unusable point.
    bool damaged() const { return damaged_; }

    // Makes the restore folder and this game folder's subfolder where they
    // are missing, and takes over the points kept directly in the restore
    // folder; false when they are not real folders of their own.
    bool prepare();
    // The folder of this game folder's point.
    std::string ownFolder(PointName name) const;

    // Removes a point's folder when it holds nothing but the files the
    // program writes there; a link is never followed, nor anything else
    // removed. False when something stays.
    bool remove(const std::string& folder);

    // The reads of the points' files, confined to the restore folder: a file
    // that really lies elsewhere (a link the listing could not tell, as a
    // Unix link to a file under Wine) is refused when it is read.
    Host& reads();

private:
    PointLook lookAt(const std::string& folder, bool kept);
    bool isRealFolder(const std::string& path);

    Host& host_;
    std::unique_ptr<ConfinedHost> reads_;  // made once the restore folder is there
    std::string root_;
    std::string own_;
    std::string gameFolder_;
    PointScope scope_;
    bool damaged_ = false;
};

}  // namespace modsetup
