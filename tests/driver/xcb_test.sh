#!/bin/sh
# The driver on a real X server (Xvfb, Qt's xcb platform) with arguments of
# its own: Qt keeps the argument vector it was made with, and reading the
# program's later, longer one past its end crashed here.
# Usage: xcb_test.sh DRIVER
set -eu
driver=$1
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
display=:$(cat "$work/display")
answer=$(cd "$work" && printf 'state\n' | DISPLAY=$display QT_QPA_PLATFORM=xcb \
    timeout 60 "$driver" --seed 1)
case "$answer" in
    *'"template":102'*'{"exit": 0}'*) echo "the driver answered on $display and ended with 0" ;;
    *) echo "unexpected answer: $answer" >&2; exit 1 ;;
esac
