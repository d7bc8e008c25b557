#include "core/formats/picture.h"

namespace modsetup {

PictureLoad loadPicture(Host& host, const std::string& path, PictureArea area) {
    PictureLoad load;
    auto file = host.openRead(path);
    if (!file.ok()) {
        load.openFailure = file.failure();
        return load;
    }
    BitmapFault fault = BitmapFault::NotABitmap;
    load.picture = decodeBitmap(*file.value(), area, &fault);
    if (!load.picture) load.fault = fault;
    return load;
}

}  // namespace modsetup
