// lexodrom-driver: the game run headless from a script; see docs/driver.md.
#include "automation/Automation.h"
#include "random/Random.h"

int main(int argc, char** argv) {
    return automation::RunDriver(argc, argv, [](std::uint32_t seed) { SeedRandom(seed); });
}
