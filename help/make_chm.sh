#!/bin/sh
# Compiles Lexodrom.hhp in the current folder into Lexodrom.chm, the same byte
# for byte each time from the same pages. chmcmd orders its full-text index
# by where the words lie in its memory, which address randomisation moves
# from run to run, so it runs without that where the system allows it. It
# also stamps the file with the moment it runs, in the header and in the
# first entry (10) of #SYSTEM; no reader needs that stamp, and it is zeroed.
# Usage: make_chm.sh <chmcmd>
set -eu
chmcmd=$1

setarch -R "$chmcmd" Lexodrom.hhp 2>/dev/null || "$chmcmd" Lexodrom.hhp
[ -s Lexodrom.chm ] || { echo "make_chm.sh: chmcmd made no Lexodrom.chm" >&2; exit 1; }

zeroFourBytesAt() {
    printf '\000\000\000\000' | dd of=Lexodrom.chm bs=1 seek="$1" conv=notrunc status=none
}
zeroFourBytesAt 16
# #SYSTEM: entry 10 with its 4 bytes of time, then entry 9, the compiler's
# name ("HHA Version ...").
name=$(LC_ALL=C grep -obUa 'HHA Version' Lexodrom.chm | cut -d: -f1)
entry=
if [ "$(echo "$name" | wc -w)" = 1 ]; then
    entry=$(od -An -tx1 -j $((name - 12)) -N 4 Lexodrom.chm | tr -d ' \n')
fi
if [ "$entry" = 0a000400 ]; then
    zeroFourBytesAt $((name - 8))
else
    echo "make_chm.sh: the time in #SYSTEM is not where chmcmd puts it; left as it is" >&2
fi
