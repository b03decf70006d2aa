#!/bin/sh
# Start-up of lexodrom-driver.exe under Wine: a whole run whose one command
# is `state` (start, the main window, the answer, the end), beside a whole
# run of empty_dialog.exe, which shows an empty dialog and ends, in the same
# Wine prefix and on the same X server, each RUNS times; prints the median
# of each in milliseconds. Run it in an X session (xvfb-run) with WINEPREFIX set:
#
#     xvfb-run -a sh tests/win32/startup_yardstick.sh build/windows [RUNS]
set -eu
build=$1
runs=${2:-5}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
elapsed() {
    start=$(date +%s%N)
    "$@" > /dev/null 2>&1
    echo $(( ($(date +%s%N) - start) / 1000000 ))
}
wineserver -p 60  # the server stays up between runs, as it does for a player
wine "$build/tests/win32/empty_dialog.exe" > /dev/null 2>&1  # prefix warm
empty=$(for i in $(seq "$runs"); do elapsed wine "$build/tests/win32/empty_dialog.exe"; done | median)
game=$(for i in $(seq "$runs"); do
    elapsed sh -c "echo state | wine '$build/app/lexodrom-driver.exe' --seed 1"
done | median)
echo "empty dialog: ${empty} ms, lexodrom-driver to its first state: ${game} ms (median of $runs)"
wineserver -k || true
