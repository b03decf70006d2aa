# The web build's toolchain: Debian's Emscripten, as emcmake sets it up, with
# Emscripten's cache in the build tree (EM_CACHE, set by the web preset) so
# that nothing the build does writes to the system. Debian ships the system
# libraries prebuilt in a cache of its own that Emscripten never writes to;
# the build tree's cache starts as a copy of it, because building them anew
# takes many minutes on a small machine. Library variants Debian does not
# ship are built into the copy when first needed.
set(lexodrom_system_cache /usr/share/emscripten/cache)
if(DEFINED ENV{EM_CACHE} AND NOT EXISTS "$ENV{EM_CACHE}/sysroot_install.stamp"
   AND EXISTS "${lexodrom_system_cache}/sysroot_install.stamp")
    file(COPY "${lexodrom_system_cache}/" DESTINATION "$ENV{EM_CACHE}")
endif()
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
