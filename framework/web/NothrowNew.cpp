// new (std::nothrow) as the standard has it: nullptr when there is no memory.
// Emscripten's C++ library is built without exceptions and aborts the page
// instead, so the game's own answer to a failed allocation (its message box,
// then exit(1)) would never be given. These replace the library's.
#include <cstdlib>
#include <new>

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size == 0 ? 1 : size);
}
