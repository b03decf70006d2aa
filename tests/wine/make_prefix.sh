#!/bin/sh
# Makes the Wine prefix $1 afresh and waits until Wine has finished setting
# it up, so that the tests after it start in a complete prefix.
set -eu
prefix=$1
rm -rf "$prefix"
WINEPREFIX=$prefix
export WINEPREFIX
wineboot --init
wineserver --wait
test -d "$prefix/drive_c/windows/system32"
