#include "core/picture.h"

#include "core/error_text.h"

namespace modsetup {

PictureLoad loadPicture(Host& host, const std::string& path, PictureArea area) {
    PictureLoad load;
    auto file = host.openRead(path, load.failure);
    if (!file) {
        load.error = cannotOpenFileMessage(path, load.failure);
        return load;
    }
    load.picture = decodeBitmap(*file, area, &load.failure);
    if (!load.picture) load.error = std::string(kBitmapNotValid);
    return load;
}

}  // namespace modsetup
