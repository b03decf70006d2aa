#include "random/Random.h"

#include <limits>
#include <random>

namespace {

// std::mt19937 is MT19937 with the standard parameters, seeding and
// tempering; default-constructed it is seeded with 5489, which is exactly the
// generator's behaviour when nobody seeded it.
std::mt19937& generator() {
    static std::mt19937 engine;
    return engine;
}

}  // namespace

void SeedRandom(std::uint32_t seed) {
    generator().seed(seed);
}

std::uint32_t NextRandom() {
    return static_cast<std::uint32_t>(generator()());
}

double RandomReal() {
    return static_cast<double>(NextRandom()) * 0x1p-32;
}

std::int32_t RandomInt(std::int32_t low, std::int32_t high) {
    const double r = RandomReal();
    // The span is a 32-bit quantity: high - low + 1 wraps for the whole int
    // range, which only a caller breaking the precondition can produce.
    const auto span = static_cast<std::int32_t>(static_cast<std::uint32_t>(high) -
                                                static_cast<std::uint32_t>(low) + 1u);
    const double value = r * span + low;
    // Truncation toward zero, kept inside the int range so that even a call
    // outside the precondition has a defined result.
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (value <= kMin) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= kMax) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(value);
}
