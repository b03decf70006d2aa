#!/bin/sh
# The Windows release: the zip holds exactly the game, its help, the licence
# and the README, the game needs no DLL of the MinGW runtime, and the zip and
# the installer come out the same, byte for byte, when made again from the
# same files.
# Usage: release_test.sh <zip> <setup.exe> <objdump> <make_zip.sh> <makensis> <nsi>
#                        <release> <file version>
set -eu
zip=$1 setup=$2 objdump=$3 makeZip=$4 makensis=$5 nsi=$6 release=$7 version=$8

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ -s "$setup" ] || fail "no installer"
entries=$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$entries" = "LICENSE.txt Lexodrom.chm README.txt lexodrom.exe " ] || fail "the zip holds: $entries"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/files"
(cd "$work/files" && cmake -E tar xf "$zip")
dlls=$("$objdump" -p "$work/files/lexodrom.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
echo "lexodrom.exe imports: $dlls"
case " $(echo "$dlls" | tr '[:upper:]' '[:lower:]')" in
*libstdc++* | *libgcc* | *libwinpthread*) fail "lexodrom.exe needs a MinGW runtime DLL: $dlls" ;;
esac
grep -q "$(printf 'Windows\r')" "$work/files/README.txt" || fail "README.txt has no CR LF line ends"

# Two builds of the same files: copies made at different times, with other
# modes, packed and installed in folders of their own.
order=$(cmake -E tar tf "$zip" | tr '\n' ' ')
for build in one two; do
    mkdir "$work/$build"
    (cd "$work/files" && cp $order "$work/$build/")
done
touch -d 2001-02-03 "$work/one/"*
chmod 600 "$work/two/"*
for build in one two; do
    SOURCE_DATE_EPOCH=1767225600 sh "$makeZip" "$work/$build.zip" "$work/$build" "$work" $order
    "$makensis" -V1 -DRELEASE="$release" -DVERSION="$version" -DFILES="$work/$build" \
        -DOUTFILE="$work/$build-setup.exe" "$nsi"
done
cmp "$work/one.zip" "$work/two.zip" || fail "the zip differs between two builds"
cmp "$work/one-setup.exe" "$work/two-setup.exe" || fail "the installer differs between two builds"
# Every entry carries the mode 644 and the date of SOURCE_DATE_EPOCH.
stamps=$(TZ=UTC0 cmake -E tar tvf "$work/one.zip" | awk '{ print $1, $6, $7, $8 }' | sort -u)
[ "$stamps" = "-rw-r--r-- 1 Jan 2026" ] || fail "the zip's entries are stamped $stamps"
echo "zip and installer made twice, the same byte for byte; entries stamped $stamps"
