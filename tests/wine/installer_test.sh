#!/bin/sh
# The release's installer in a fresh Wine prefix: installs silently (/S),
# the installed game is started from its Start-menu entry and from its folder
# (start_from_menu.exe: main window, "Hilfe", "Beenden"), and the uninstaller
# removes it again but leaves the player's hs.dat.
# Usage: installer_test.sh <setup.exe> <start_from_menu.exe> <work dir> <xvfb-run>
set -eu
setup=$1 startFromMenu=$2 work=$3 xvfbRun=$4

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
WINEPREFIX=$work/prefix
WINEDEBUG=-all
# No Mono or Gecko downloads, and no menu entries on the machine running this.
WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
wineboot --init
wineserver --wait

wine "$setup" /S
wineserver --wait

drive=$WINEPREFIX/drive_c
program="$drive/Program Files/Lexodrom"
for file in lexodrom.exe Lexodrom.chm LICENSE.txt README.txt Uninstall.exe; do
    [ -f "$program/$file" ] || fail "$file is not installed in Program Files"
done
user=$(id -un)
appData="$drive/users/$user/AppData/Roaming"
menu="$appData/Microsoft/Windows/Start Menu/Programs/Lexodrom"
[ -f "$menu/Lexodrom.lnk" ] || fail "no Start-menu entry"
[ -d "$appData/Lexodrom" ] || fail "%APPDATA%\\Lexodrom is not created"
grep -q 'Uninstall\\\\Lexodrom\]' "$WINEPREFIX/system.reg" || fail "not in the installed programs"
grep -q '^"Lexodrom.chm"="C:\\\\Program Files\\\\Lexodrom"' "$WINEPREFIX/system.reg" ||
    fail "Lexodrom.chm is not entered for HTML Help"

# A player's scores, which the uninstaller must leave alone.
printf '    42  Anna\r\n' >"$appData/Lexodrom/hs.dat"
"$xvfbRun" -a -s "-screen 0 1280x1024x24" wine "$startFromMenu" \
    "C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Lexodrom\\Lexodrom.lnk"
wineserver --wait

wine "C:\\Program Files\\Lexodrom\\Uninstall.exe" /S
wineserver --wait
[ ! -e "$program" ] || fail "Program Files\\Lexodrom is left: $(ls "$program")"
[ ! -e "$menu" ] || fail "the Start-menu entry is left"
! grep -q 'Uninstall\\\\Lexodrom\]' "$WINEPREFIX/system.reg" || fail "still in the installed programs"
! grep -q '^"Lexodrom.chm"=' "$WINEPREFIX/system.reg" || fail "Lexodrom.chm is still entered for HTML Help"
[ "$(cat "$appData/Lexodrom/hs.dat")" = "$(printf '    42  Anna\r\n')" ] ||
    fail "hs.dat is not left alone"
echo "installed, started from the Start menu and from its folder, uninstalled; hs.dat kept"
