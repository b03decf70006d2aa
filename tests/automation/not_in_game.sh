#!/bin/sh
# The game ships without automation: no symbol of automation/ or of a back
# end's automation part may be in lexodrom. The driver, which has them, shows
# that the check sees such symbols where they are.
game=$1
driver=$2
if ! nm -C "$driver" | grep -q 'automation::'; then
    echo "FAIL: no automation symbol found in $driver; the check cannot see them"
    exit 1
fi
if ! nm -C "$game" | grep -q 'CWordGameDlg::'; then
    echo "FAIL: $game has no symbols to check"
    exit 1
fi
if nm -C "$game" | grep 'automation::'; then
    echo "FAIL: $game contains the automation symbols above"
    exit 1
fi
echo "no automation symbol in $game"
