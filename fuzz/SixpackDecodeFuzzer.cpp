// Feeds arbitrary streams to the decoder: it must neither read past the input
// nor write past the capacity, which the first input bytes choose.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "dictionary/sixpackDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::uint32_t capacity = std::uint32_t{data[0]} << 8 | data[1];
    // Exactly sized heap copies let AddressSanitizer catch any overrun.
    std::vector<std::uint8_t> stream(data + 2, data + size);
    std::vector<std::uint8_t> out(capacity);
    const std::uint32_t written = sixpackDecode(stream.data(), stream.size(), out.data(), capacity);
    if (written > capacity) {
        std::abort();
    }
    return 0;
}
