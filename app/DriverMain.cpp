// lexodrom-driver: the game run headless from a script; see docs/driver.md.
#include "framework/Automation.h"
#include "random/Random.h"

int main(int argc, char** argv) {
    return framework::automation::RunDriver(argc, argv,
                                            [](std::uint32_t seed) { SeedRandom(seed); });
}
