#!/bin/sh
# xpmToPng.sh IN OUT: the game's XPM pixel art, kept as C++ constants, as a
# PNG for the desktop's icon theme, pixel for pixel with its transparency.
# netpbm reads XPM as C declares it, so the constness goes first.
set -eu
in=$1
out=$2
sed 's/^static const char\* const /static char* /' "$in" > "$out.xpm"
xpmtoppm --alphaout="$out.alpha" "$out.xpm" > "$out.ppm"
pnmtopng -alpha="$out.alpha" "$out.ppm" > "$out"
rm -f "$out.xpm" "$out.alpha" "$out.ppm"
