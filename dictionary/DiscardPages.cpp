#include "dictionary/DiscardPages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

void discardReadOnlyPages(const void* data, std::size_t size) {
#if defined(__linux__)
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0 || size == 0) {
        return;
    }
    const auto page = static_cast<std::uintptr_t>(pageSize);
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + page - 1) / page * page;
    const std::uintptr_t last = (begin + size) / page * page;
    if (first < last) {
        // Advice only: should it be refused, the pages merely stay.
        (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
    }
#else
    (void)data;
    (void)size;
#endif
}
