#include "dictionary/SixpackFormat.h"

namespace sixpack {

void HuffmanModel::reset() {
    for (int i = 1; i <= kLastInternal; ++i) {
        left_[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(2 * i);
        right_[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(2 * i + 1);
    }
    for (int i = 2; i <= kLastNode; ++i) {
        up_[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i / 2);
        freq_[static_cast<std::size_t>(i)] = 1;
    }
    // The root's count is first written by the first count update.
    freq_[kRoot] = 1;
    halvings_ = 0;
}

int HuffmanModel::sibling(int node) const {
    const int p = parent(node);
    return left(p) == node ? right(p) : left(p);
}

// Recomputes the counts on the path from `node` (whose sibling is `sibling`)
// up to the root, then halves every count if the root has just reached the
// limit. Counts wrap as 16-bit values on purpose: both sides of the stream
// must compute the same numbers.
void HuffmanModel::updateCounts(int node, int sibling) {
    do {
        const int p = parent(node);
        freq_[static_cast<std::size_t>(p)] =
            static_cast<std::int16_t>(count(node) + count(sibling));
        node = p;
        if (node != kRoot) {
            sibling = this->sibling(node);
        }
    } while (node != kRoot);

    if (freq_[kRoot] == kRootLimit) {
        for (int i = 1; i <= kLastNode; ++i) {
            auto& f = freq_[static_cast<std::size_t>(i)];
            f = static_cast<std::int16_t>(f >> 1);
        }
        ++halvings_;
    }
}

// Counts the symbol, then walks from its leaf towards the root. Whenever the
// node on the path now outweighs its parent's sibling (its uncle), the two
// trade places, so that frequent symbols climb towards the root and get
// shorter codes. Equal counts never swap.
void HuffmanModel::update(int symbol) {
    int a = leafOf(symbol);
    auto& leafCount = freq_[static_cast<std::size_t>(a)];
    leafCount = static_cast<std::int16_t>(leafCount + 1);
    if (parent(a) == kRoot) {
        return;
    }

    int ua = parent(a);
    updateCounts(a, sibling(a));

    while (ua != kRoot) {
        const int uua = parent(ua);
        const int b = sibling(ua);
        if (count(a) > count(b)) {
            const auto uuaSlot = static_cast<std::size_t>(uua);
            const auto uaSlot = static_cast<std::size_t>(ua);
            if (left(uua) == ua) {
                right_[uuaSlot] = static_cast<std::int16_t>(a);
            } else {
                left_[uuaSlot] = static_cast<std::int16_t>(a);
            }
            int c;
            if (left(ua) == a) {
                left_[uaSlot] = static_cast<std::int16_t>(b);
                c = right(ua);
            } else {
                right_[uaSlot] = static_cast<std::int16_t>(b);
                c = left(ua);
            }
            up_[static_cast<std::size_t>(b)] = static_cast<std::int16_t>(ua);
            up_[static_cast<std::size_t>(a)] = static_cast<std::int16_t>(uua);
            updateCounts(b, c);
        }
        a = ua;
        ua = uua;
    }
}

}  // namespace sixpack
