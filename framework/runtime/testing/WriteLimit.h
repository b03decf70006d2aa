// A test seam for a disk that fills up: lets a test make the writes of every
// TextFile fail partway with ENOSPC, to prove that such a failure is
// reported and does no harm. Not for use by the program itself.
#pragma once

#include <cstddef>

// From now on TextFile writes pass `bytes` more bytes to the operating system
// in total; the write that would go beyond gets as far as the limit allows
// and then fails with ENOSPC, as does every write after it. The limit is
// process-wide; a test sets it while no other thread writes files.
void SetTextFileWriteLimit(std::size_t bytes);

// Lifts the limit again.
void ClearTextFileWriteLimit();

// Holds a write limit for the lifetime of the object.
class ScopedTextFileWriteLimit {
public:
    explicit ScopedTextFileWriteLimit(std::size_t bytes) { SetTextFileWriteLimit(bytes); }
    ~ScopedTextFileWriteLimit() { ClearTextFileWriteLimit(); }
    ScopedTextFileWriteLimit(const ScopedTextFileWriteLimit&) = delete;
    ScopedTextFileWriteLimit& operator=(const ScopedTextFileWriteLimit&) = delete;
};
