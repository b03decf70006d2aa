#!/bin/sh
# Packs the release's files into the zip, the same byte for byte each time it
# is made from the same files: the entries in the order given, each with the
# mode 644 and the release's date (SOURCE_DATE_EPOCH, else the date of the
# sources' last commit, else 2026-01-01), and without the extra fields in which
# zip keeps the owner and the exact times of a file (-X).
# Usage: make_zip.sh <zip> <folder> <source dir> <file>...
set -eu
zip=$1 folder=$2 source=$3
shift 3

epoch=${SOURCE_DATE_EPOCH:-}
if [ -z "$epoch" ]; then
    epoch=$(git -C "$source" log -1 --format=%ct 2>/dev/null || true)
fi
[ -n "$epoch" ] || epoch=1767225600

cd "$folder"
chmod 644 "$@"
touch -d "@$epoch" "$@"
rm -f "$zip"
# zip writes the local time of day into its entries.
TZ=UTC0 zip -X -q -9 "$zip" "$@"
