# Installs the Debian packages that the caller names and that are missing:
# with apt-get as root, through sudo otherwise. Sourced by play and test.

lexodrom_missing_packages() {
    local package missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    echo "${missing[@]}"
}

lexodrom_install_packages() {
    local missing
    missing=$(lexodrom_missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing missing Debian packages: $missing"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086 # one word a package
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# What building the game needs.
# fontconfig's headers let the game read the font configuration early,
# chmcmd compiles the help, libchm reads it in our viewer, rsvg-convert
# and netpbm draw the icons.
LEXODROM_BUILD_PACKAGES=(g++ cmake ninja-build pkgconf qt6-base-dev libgl-dev fonts-liberation
    libfontconfig-dev fp-utils libchm-dev librsvg2-bin netpbm)
# What the test suite needs on top: GoogleTest, Google Benchmark, zlib for the
# benchmark's yardstick, clang with its runtime for the fuzzer, clang-format
# for the formatting check, the validators of the desktop entry and the
# AppStream data, and Python for the scripts that drive the game through
# lexodrom-driver and for the word list check. A screen reader's test plays
# the game on Xvfb over AT-SPI: pyatspi, the accessibility buses and a
# session bus of its own.
LEXODROM_TEST_PACKAGES=(libgtest-dev libbenchmark-dev zlib1g-dev clang libclang-rt-14-dev
    clang-format desktop-file-utils appstream python3
    xvfb python3-pyatspi at-spi2-core dbus-daemon dbus-bin)
# The Windows build on top: the MinGW-w64 cross compiler (POSIX threads),
# GoogleTest's sources to build it for Windows, Wine to run the tests and
# the installer, NSIS to make the installer, zip to pack the release, and the
# locales' sources from which the Win32 tests make the German and Russian
# locales Wine runs in.
LEXODROM_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
    googletest wine64 wine nsis zip locales)
# The web build and its browser tests: Debian's Emscripten (it needs
# node-acorn), Node for the harness, Chromium that the tests drive headless,
# the Liberation fonts, woff2_compress and rsvg-convert for the site. npm
# installs the harness's one client library (tests/web/package-lock.json);
# Debian's npm is added only when the installed Node brings none of its own.
LEXODROM_WEB_PACKAGES=(emscripten node-acorn nodejs chromium fonts-liberation librsvg2-bin woff2)
command -v npm >/dev/null 2>&1 || LEXODROM_WEB_PACKAGES+=(npm)
