#!/bin/sh
# The Windows release: the zip holds exactly the game, its help, the licence
# and the README, and the game needs no DLL of the MinGW runtime.
# Usage: release_test.sh <zip> <setup.exe> <objdump>
set -eu
zip=$1 setup=$2 objdump=$3

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ -s "$setup" ] || fail "no installer"
entries=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$entries" = "LICENSE.txt Lexodrom.chm README.txt lexodrom.exe " ] || fail "the zip holds: $entries"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")
dlls=$("$objdump" -p "$work/lexodrom.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
echo "lexodrom.exe imports: $dlls"
case " $(echo "$dlls" | tr '[:upper:]' '[:lower:]')" in
*libstdc++* | *libgcc* | *libwinpthread*) fail "lexodrom.exe needs a MinGW runtime DLL: $dlls" ;;
esac
grep -q "$(printf 'Windows\r')" "$work/README.txt" || fail "README.txt has no CR LF line ends"
