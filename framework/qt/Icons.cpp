#include "framework/qt/Icons.h"

#include <cstdlib>
#include <map>
#include <memory>

#include "framework/Resources.h"

namespace framework::qt {

QPixmap iconPixmap(UINT id, int size) {
    const IconResource* icon = FindIcon(id);
    if (icon == nullptr || icon->images.empty()) {
        return {};
    }
    const IconImage* best = &icon->images.front();
    for (const IconImage& image : icon->images) {
        if (std::abs(image.size - size) < std::abs(best->size - size)) {
            best = &image;
        }
    }
    return QPixmap(best->xpm);
}

HICON loadIcon(UINT id) {
    static std::map<UINT, std::unique_ptr<QIcon>> loaded;
    auto found = loaded.find(id);
    if (found == loaded.end()) {
        const IconResource* icon = FindIcon(id);
        if (icon == nullptr) {
            return nullptr;
        }
        auto qicon = std::make_unique<QIcon>();
        for (const IconImage& image : icon->images) {
            qicon->addPixmap(QPixmap(image.xpm));
        }
        found = loaded.emplace(id, std::move(qicon)).first;
    }
    return reinterpret_cast<HICON>(found->second.get());
}

const QIcon* iconOf(HICON icon) {
    return reinterpret_cast<const QIcon*>(icon);
}

}  // namespace framework::qt
