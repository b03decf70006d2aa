#!/bin/sh
# Builds the installer from packaging/windows/Lexodrom.nsi with the stand-in
# in the game's place and, in a fresh Wine prefix, installs it silently (/S),
# starts the program from its Start-menu entry and uninstalls it again.
# Usage: installer_test.sh <makensis> <nsi> <stand-in.exe> <release files> <work dir>
#                          <release> <file version>
set -eu
makensis=$1 nsi=$2 standIn=$3 files=$4 work=$5 release=$6 version=$7

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/files"
cp "$standIn" "$work/files/lexodrom.exe"
cp "$files/Lexodrom.chm" "$files/LICENSE.txt" "$files/README.txt" "$work/files/"
"$makensis" -V2 -DRELEASE="$release" -DVERSION="$version" -DFILES="$work/files" \
    -DOUTFILE="$work/setup.exe" "$nsi"

WINEPREFIX=$work/prefix
WINEDEBUG=-all
# No Mono or Gecko downloads, and no menu entries on the machine running this.
WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
wineboot --init
wineserver --wait

wine "$work/setup.exe" /S
wineserver --wait

drive=$WINEPREFIX/drive_c
program="$drive/Program Files/Lexodrom"
for file in lexodrom.exe Lexodrom.chm LICENSE.txt README.txt Uninstall.exe; do
    [ -f "$program/$file" ] || fail "$file is not installed in Program Files"
done
cmp -s "$work/files/lexodrom.exe" "$program/lexodrom.exe" || fail "lexodrom.exe differs"
user=$(id -un)
appData="$drive/users/$user/AppData/Roaming"
menu="$appData/Microsoft/Windows/Start Menu/Programs/Lexodrom"
[ -f "$menu/Lexodrom.lnk" ] || fail "no Start-menu entry"
[ -d "$appData/Lexodrom" ] || fail "%APPDATA%\\Lexodrom is not created"
grep -q 'Uninstall\\\\Lexodrom\]' "$WINEPREFIX/system.reg" || fail "not in the installed programs"

# The entry starts the program in %APPDATA%\Lexodrom, where hs.dat is kept.
wine start /wait "C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Lexodrom\\Lexodrom.lnk"
wineserver --wait
[ -f "$appData/Lexodrom/started.txt" ] || fail "the Start-menu entry did not start the program there"
started=$(tr -d '\r' <"$appData/Lexodrom/started.txt")
[ "$started" = "C:\\users\\$user\\AppData\\Roaming\\Lexodrom" ] ||
    fail "started in $started"

printf '    42  Anna\r\n' >"$appData/Lexodrom/hs.dat"
wine "C:\\Program Files\\Lexodrom\\Uninstall.exe" /S
wineserver --wait
[ ! -e "$program" ] || fail "Program Files\\Lexodrom is left: $(ls "$program")"
[ ! -e "$menu" ] || fail "the Start-menu entry is left"
! grep -q 'Uninstall\\\\Lexodrom\]' "$WINEPREFIX/system.reg" || fail "still in the installed programs"
[ "$(cat "$appData/Lexodrom/hs.dat")" = "$(printf '    42  Anna\r\n')" ] ||
    fail "hs.dat is not left alone"
echo "installed, started in %APPDATA%\\Lexodrom, uninstalled; hs.dat kept"
