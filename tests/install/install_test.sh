#!/bin/sh
# Installs the build into a temporary prefix and checks that the installed
# game would find its help viewer and the viewer its help file.
# Usage: install_test.sh BUILD_DIR WORKDIR
set -u
build=$1 work=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf "$work" && mkdir -p "$work/elsewhere" "$work/home" "$work/bin" || exit 1
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

for file in games/lexodrom libexec/lexodrom/lexodrom libexec/lexodrom/hh.exe \
    share/lexodrom/Lexodrom.chm share/applications/io.github.lexodrom.Lexodrom.desktop \
    share/metainfo/io.github.lexodrom.Lexodrom.metainfo.xml share/man/man6/lexodrom.6.gz \
    share/doc/lexodrom/copyright share/doc/lexodrom/changelog.Debian.gz \
    share/icons/hicolor/scalable/apps/lexodrom.svg; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/lexodrom.png"
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    dims=$(od -An -tu1 -j16 -N8 "$png" 2>/dev/null | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x${size}" ] || fail "icon $png is $dims"
done
desktop-file-validate "$prefix/share/applications/io.github.lexodrom.Lexodrom.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.lexodrom.Lexodrom.metainfo.xml" \
    >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "appstreamcli validate"; }

export QT_QPA_PLATFORM=offscreen
# The installed viewer, started from an unrelated directory, finds the help
# in its data folder, although the prefix is not the one it was built for.
(cd "$work/elsewhere" && "$prefix/libexec/lexodrom/hh.exe" --dump-links Lexodrom.chm) ||
    fail "installed hh.exe does not find Lexodrom.chm"

# The wrapper: in place of the game, a probe reports what the game would see
# and starts the viewer as the game does, by its bare name.
cat >"$prefix/libexec/lexodrom/lexodrom" <<'PROBE'
#!/bin/sh
echo "cwd=$(pwd)"
echo "viewer=$(command -v hh.exe)"
echo "args=$*"
exec hh.exe --dump-links Lexodrom.chm
PROBE
chmod +x "$prefix/libexec/lexodrom/lexodrom"
ln -s "$prefix/games/lexodrom" "$work/bin/lexodrom"

out=$(cd "$work/elsewhere" && env -i HOME="$work/home" PATH=/usr/bin:/bin \
    QT_QPA_PLATFORM=offscreen "$work/bin/lexodrom" one two 2>&1); rc=$?
[ $rc -eq 0 ] || fail "wrapper run exits $rc: $out"
echo "$out" | grep -qx "cwd=$work/home/.local/share/lexodrom" || fail "wrong directory: $out"
echo "$out" | grep -qx "viewer=$prefix/libexec/lexodrom/hh.exe" || fail "wrong viewer: $out"
echo "$out" | grep -qx "args=one two" || fail "arguments not passed on: $out"

out=$(cd "$work/elsewhere" && env -i HOME="$work/home" XDG_DATA_HOME="$work/xdg" \
    PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$prefix/games/lexodrom" 2>&1); rc=$?
[ $rc -eq 0 ] || fail "wrapper run with XDG_DATA_HOME exits $rc: $out"
echo "$out" | grep -qx "cwd=$work/xdg/lexodrom" || fail "XDG_DATA_HOME not used: $out"

[ $failures -eq 0 ] && echo "all installation checks passed"
exit $failures
