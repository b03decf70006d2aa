// Giving back the memory of read-only data that the program has read for the
// last time.
#pragma once

#include <cstddef>

// The whole pages within `size` bytes at `data`, which must be read-only data
// of the program, stop counting towards the process's memory; they are read
// again from the program file if the data is read again. Where the system
// has no such request, nothing happens.
void discardReadOnlyPages(const void* data, std::size_t size);
