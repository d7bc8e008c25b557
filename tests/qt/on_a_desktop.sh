#!/bin/sh
# Runs a window test where a screen reader could listen: on a virtual display
# of its own (Xvfb picks a free number) with a session bus of its own, where
# the accessibility bus starts when asked, and Qt's accessibility on.
scratch=$(mktemp -d) && mkdir -m 700 "$scratch/run" || exit 1
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
DISPLAY=:$(head -n 1 "$scratch/display") XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=xcb \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 dbus-run-session -- "$@"
status=$?
[ -s "$scratch/display" ] || cat "$scratch/xvfb.log" >&2
kill "$xvfb" && wait "$xvfb"
rm -rf "$scratch"
exit $status
