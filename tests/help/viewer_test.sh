#!/bin/sh
# hh.exe as the game and a tester start it: usage viewer_test.sh HH_EXE CHM FIXTURE_CHM WORKDIR
set -u
hh=$1 chm=$2 fixture=$3 work=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export QT_QPA_PLATFORM=offscreen
rm -rf "$work" && mkdir -p "$work/elsewhere" || exit 1

out=$("$hh" --dump-links "$chm" 2>/dev/null); rc=$?
[ $rc -eq 0 ] || fail "--dump-links on the game's help exits $rc: $out"
echo "$out" | grep -q '^11 pages, [0-9]* links, 0 broken$' || fail "unexpected summary: $out"

out=$("$hh" --dump-links "$fixture" 2>/dev/null); rc=$?
[ $rc -eq 1 ] || fail "--dump-links with broken links exits $rc, not 1"
[ "$(echo "$out" | grep -c '^broken: ')" -eq 4 ] || fail "expected 4 broken links: $out"

err=$("$hh" --dump-links "$work/Fehlt.chm" 2>&1 >/dev/null); rc=$?
[ $rc -eq 2 ] || fail "a missing help file exits $rc, not 2"
echo "$err" | grep -q 'Die Hilfedatei .*Fehlt.chm.* kann nicht ge.ffnet werden' ||
    fail "no German message for a missing file: $err"

# The game starts the viewer with the bare name in its own directory; from
# anywhere else the viewer looks next to itself.
(cd "$work/elsewhere" && "$hh" --dump-links Lexodrom.chm >/dev/null 2>&1) ||
    fail "Lexodrom.chm next to hh.exe not found from another directory"

"$hh" --screenshot "$work/rules.png" "$chm" spielregeln.html 2>/dev/null ||
    fail "--screenshot exits $?"
[ "$(head -c 8 "$work/rules.png" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "--screenshot wrote no PNG"

[ $failures -eq 0 ] && echo "all viewer checks passed"
exit $failures
