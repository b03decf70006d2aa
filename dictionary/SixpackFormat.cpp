#include "dictionary/SixpackFormat.h"

#include <limits>

namespace sixpack {

void HuffmanModel::reset() {
    for (int i = 1; i <= kLastInternal; ++i) {
        children_[static_cast<std::size_t>(i)] = {static_cast<std::uint16_t>(2 * i),
                                                  static_cast<std::uint16_t>(2 * i + 1)};
    }
    for (int i = 2; i <= kLastNode; ++i) {
        up_[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i / 2);
        freq_[static_cast<std::size_t>(i)] = 1;
    }
    // The root's count is first written by the first count update.
    freq_[kRoot] = 1;
    halvings_ = 0;
}

// Without a branch: which side `oneChild` is on follows no pattern the
// processor could predict.
int HuffmanModel::otherChild(int node, int oneChild) const {
    const Children& pair = children_[static_cast<std::size_t>(node)];
    return pair[0] ^ pair[1] ^ oneChild;
}

// Counts wrap as 16-bit values on purpose: both sides of the stream must
// compute the same numbers.
bool HuffmanModel::halveIfRootAtLimit() {
    if (freq_[kRoot] != kRootLimit) {
        return false;
    }
    for (auto& f : freq_) {
        f = static_cast<std::int16_t>(f >> 1);
    }
    ++halvings_;
    return true;
}

// Sets the count of every node above `node`, up to the root, to the sum of its
// two children's counts, then halves every count if the root has just reached
// the limit.
void HuffmanModel::updateCounts(int node) {
    do {
        node = parent(node);
        const Children& pair = children_[static_cast<std::size_t>(node)];
        freq_[static_cast<std::size_t>(node)] =
            static_cast<std::int16_t>(count(pair[0]) + count(pair[1]));
    } while (node != kRoot);
    halveIfRootAtLimit();
}

// The path is found by climbing from the leaf to the root.
void HuffmanModel::update(int symbol) {
    int depth = 0;
    for (int node = leafOf(symbol); node != kRoot; node = parent(node)) {
        ++depth;
    }
    Path path;
    path.length = depth + 1;
    int node = leafOf(symbol);
    for (int i = depth; i >= 0; --i) {
        path.nodes[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(node);
        node = parent(node);
    }
    update(path);
}

// Counts the symbol, then walks from its leaf towards the root. Whenever the
// node on the path now outweighs its parent's sibling (its uncle), the two
// trade places, so that frequent symbols climb towards the root and get
// shorter codes. Equal counts never swap.
void HuffmanModel::update(const Path& path) {
    const int leaf = path[path.length - 1];
    auto& leafCount = freq_[static_cast<std::size_t>(leaf)];
    leafCount = static_cast<std::int16_t>(leafCount + 1);
    if (path.length == 2) {
        return;  // the leaf hangs from the root
    }
    const bool someNodeOutweighsItsUncle = sumCountsUpThePath(path);
    const bool halved = halveIfRootAtLimit();
    // Most updates swap nothing; the walk that swaps reads the counts again,
    // halved ones included.
    if (someNodeOutweighsItsUncle || halved) {
        swapUpThePath(path);
    }
}

// Sets the count of each node above the leaf to the sum of its children: the
// count below it on the path plus its other child's, which is the sibling of
// the node below. The same loop tells whether any node on the path outweighs
// its uncle, the sibling of its parent: only then has the walk that swaps
// anything to do.
bool HuffmanModel::sumCountsUpThePath(const Path& path) {
    std::int16_t sum = count(path[path.length - 1]);
    // Nothing below the leaf: the lowest count never outweighs anything.
    std::int16_t below = std::numeric_limits<std::int16_t>::min();
    bool outweighs = false;
    for (int i = path.length - 1; i >= 1; --i) {
        const std::int16_t siblingCount = count(otherChild(path[i - 1], path[i]));
        outweighs |= below > siblingCount;
        below = sum;
        sum = static_cast<std::int16_t>(sum + siblingCount);
        freq_[static_cast<std::size_t>(path[i - 1])] = sum;
    }
    return outweighs;
}

// From the leaf up to the root's children, each node trades places with its
// uncle when it outweighs it. A swap moves the node and its uncle but leaves
// the path above the node in place, so the rest of the path still leads up to
// the root.
void HuffmanModel::swapUpThePath(const Path& path) {
    for (int i = path.length - 1; i >= 2; --i) {
        const int a = path[i];
        const int ua = path[i - 1];
        const int uua = path[i - 2];
        const int b = otherChild(uua, ua);
        if (count(a) > count(b)) {
            Children& aboveParent = children_[static_cast<std::size_t>(uua)];
            aboveParent[aboveParent[0] == ua ? 1 : 0] = static_cast<std::uint16_t>(a);
            Children& parentChildren = children_[static_cast<std::size_t>(ua)];
            parentChildren[parentChildren[0] == a ? 0 : 1] = static_cast<std::uint16_t>(b);
            up_[static_cast<std::size_t>(b)] = static_cast<std::uint16_t>(ua);
            up_[static_cast<std::size_t>(a)] = static_cast<std::uint16_t>(uua);
            updateCounts(b);
        }
    }
}

}  // namespace sixpack
