#include "framework/AccessibleNames.h"

#include <cstring>

namespace framework {
namespace {

bool isClass(const DialogItemTemplate& item, const char* name) {
    return std::strcmp(item.windowClass, name) == 0;
}

// "&&" shows one ampersand, "&x" shows x.
std::string withoutMnemonic(const char* text) {
    std::string result;
    for (const char* c = text != nullptr ? text : ""; *c != '\0'; ++c) {
        if (*c == '&' && c[1] != '\0') {
            ++c;
        }
        result += *c;
    }
    return result;
}

bool isBox(const DialogItemTemplate& item) {
    return isClass(item, "EDIT") || isClass(item, "LISTBOX");
}

}  // namespace

std::vector<std::string> AccessibleNames(const DialogTemplate& dialog) {
    const auto& items = dialog.items;
    std::vector<bool> used(items.size(), false);
    std::vector<int> label(items.size(), -1);
    auto isLabel = [&](std::size_t j) {
        const DialogItemTemplate& l = items[j];
        return !used[j] && isClass(l, "STATIC") && (l.style & SS_TYPEMASK) != SS_ICON &&
               l.text != nullptr && *l.text != '\0';
    };
    // Same line first for every box, then just above for the rest.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!isBox(items[i]) || label[i] >= 0) {
                continue;
            }
            const DialogItemTemplate& box = items[i];
            int best = -1;
            int bestDistance = 0;
            for (std::size_t j = 0; j < items.size(); ++j) {
                if (!isLabel(j)) {
                    continue;
                }
                const DialogItemTemplate& l = items[j];
                const int middle = l.y + l.cy / 2;
                const bool sameLine =
                    middle >= box.y && middle <= box.y + box.cy && l.x + l.cx <= box.x + 2;
                const int gapAbove = box.y - (l.y + l.cy);
                const bool justAbove = gapAbove >= -2 && gapAbove <= l.cy && l.x < box.x + box.cx &&
                                       l.x + l.cx > box.x;
                const int distance = pass == 0 ? box.x - (l.x + l.cx) : gapAbove;
                if ((pass == 0 ? sameLine : justAbove) && (best < 0 || distance < bestDistance)) {
                    best = static_cast<int>(j);
                    bestDistance = distance;
                }
            }
            if (best >= 0) {
                used[static_cast<std::size_t>(best)] = true;
                label[i] = best;
            }
        }
    }
    std::vector<std::string> names;
    names.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const DialogItemTemplate& item = items[i];
        if (label[i] >= 0) {
            names.push_back(withoutMnemonic(items[static_cast<std::size_t>(label[i])].text));
        } else if (isBox(item)) {
            names.emplace_back(item.accessibleName != nullptr ? item.accessibleName : "");
        } else if (isClass(item, "STATIC") && (item.style & SS_NOPREFIX) != 0) {
            names.emplace_back(item.text != nullptr ? item.text : "");  // shown as it is
        } else {
            names.push_back(withoutMnemonic(item.text));
        }
    }
    return names;
}

}  // namespace framework
