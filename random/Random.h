// The game's one source of chance: a process-wide MT19937 generator with the
// standard parameters and seeding. Every random choice of the game draws from
// it through RandomInt, so that a seed and the player's inputs fix a game.
#pragma once

#include <cstdint>

// Restarts the sequence from `seed` with the standard MT19937 seeding. A
// generator that is drawn from before it was ever seeded behaves as if seeded
// with 5489.
void SeedRandom(std::uint32_t seed);

// The next 32-bit output of the generator.
std::uint32_t NextRandom();

// One draw scaled into [0, 1) with a resolution of 2^-32.
double RandomReal();

// A value in [low, high], both included, from exactly one draw (also when low
// equals high). Precondition: 0 <= low <= high. The result is low plus
// floor(RandomReal() * (high - low + 1)); for arguments outside the
// precondition the value follows the same formula and is not clamped to the
// bounds, but stays within the int range.
std::int32_t RandomInt(std::int32_t low, std::int32_t high);
