// The blob's pages leave the process's memory once decoded, and the data
// reads the same should anything read it again.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>

#include "dictionary/DiscardPages.h"

namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kSize = 16 * kPage + 100;  // neither start nor end need be on a page

// Read-only data in the program file, like the blob: no byte is zero, so it
// cannot be placed among the zero-filled data.
constexpr std::array<std::uint8_t, kSize> kData = [] {
    std::array<std::uint8_t, kSize> data{};
    for (std::size_t i = 0; i < kSize; ++i) {
        data[i] = static_cast<std::uint8_t>(1 + i % 251);
    }
    return data;
}();

unsigned sum() {
    const volatile std::uint8_t* bytes = kData.data();
    unsigned total = 0;
    for (std::size_t i = 0; i < kSize; ++i) {
        total += bytes[i];
    }
    return total;
}

// The resident size in KiB of the mapping that holds `address`, from
// /proc/self/smaps.
long residentKiB(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line)) {
        std::uintptr_t begin = 0;
        std::uintptr_t end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> begin >> dash >> end && dash == '-') {
            inside = begin <= at && at < end;
        } else if (inside && line.rfind("Rss:", 0) == 0) {
            return std::strtol(line.c_str() + 4, nullptr, 10);
        }
    }
    return -1;
}

TEST(DiscardPages, WholePagesLeaveMemoryAndTheDataStaysReadable) {
#if !defined(__linux__)
    GTEST_SKIP() << "only Linux gives read pages back";
#endif
    const unsigned expected = sum();  // every page of the data is now resident
    const long before = residentKiB(kData.data());
    ASSERT_GT(before, 0);

    discardReadOnlyPages(kData.data(), kData.size());
    const long after = residentKiB(kData.data());
    // At least the 15 whole pages inside the data, at most its 17 pages.
    EXPECT_GE(before - after, static_cast<long>(15 * kPage / 1024));
    EXPECT_LE(before - after, static_cast<long>(17 * kPage / 1024));

    EXPECT_EQ(sum(), expected);
    EXPECT_EQ(kData[kSize - 1], static_cast<std::uint8_t>(1 + (kSize - 1) % 251));
}

}  // namespace
