// Failures a test can inject at the program's outer boundaries, with nothing
// compiled into the program for it: this file's object replaces the
// non-throwing array new and the C library's write for the whole test
// program that links it.
#pragma once

#include <cstddef>

namespace test {

// The `nth` non-throwing array allocation from now on (1 = the next one)
// returns nullptr; the others succeed. 0 cancels a pending failure.
void FailNothrowArrayAllocation(int nth);

// From now on writes to regular files pass `bytes` more bytes to the system
// in total; the write that would go beyond gets as far as the limit allows,
// and every write after it fails with ENOSPC, as on a disk that fills up.
// Pipes, terminals and the event loop's descriptors are not limited.
void SetFileWriteLimit(std::size_t bytes);
void ClearFileWriteLimit();

// Holds a write limit for the lifetime of the object.
class ScopedFileWriteLimit {
public:
    explicit ScopedFileWriteLimit(std::size_t bytes) { SetFileWriteLimit(bytes); }
    ~ScopedFileWriteLimit() { ClearFileWriteLimit(); }
    ScopedFileWriteLimit(const ScopedFileWriteLimit&) = delete;
    ScopedFileWriteLimit& operator=(const ScopedFileWriteLimit&) = delete;
};

}  // namespace test
