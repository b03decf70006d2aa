#include "framework/web/Icons.h"

#include <cstdlib>

#include "framework/Resources.h"

namespace framework::web {

HICON loadIcon(UINT id) {
    // The resource itself is the handle: it lives as long as the program.
    return reinterpret_cast<HICON>(const_cast<IconResource*>(FindIcon(id)));
}

const char* const* iconImage(HICON icon, int size) {
    const auto* resource = reinterpret_cast<const IconResource*>(icon);
    if (resource == nullptr || resource->images.empty()) {
        return nullptr;
    }
    const IconImage* best = &resource->images.front();
    for (const IconImage& image : resource->images) {
        if (std::abs(image.size - size) < std::abs(best->size - size)) {
            best = &image;
        }
    }
    return best->xpm;
}

}  // namespace framework::web
