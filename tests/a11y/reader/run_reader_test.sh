#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Runs a screen-reader client against a Qt program on a private X display and
# a private session bus with its own accessibility bus, then cleans up.
#
# Usage: run_reader_test.sh PROGRAM CLIENT
# Exit status: the client's; 77 when a tool is missing (CTest skips then).
set -u
program=$1
client=$2
launcher=/usr/libexec/at-spi-bus-launcher
registry=/usr/libexec/at-spi2-registryd # started by the launcher
python=/usr/bin/python3

for tool in Xvfb dbus-run-session timeout "$launcher" "$registry" "$python"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "missing $tool (scripts/install-deps.sh installs it)"
        exit 77
    fi
done
if ! "$python" -c 'import pyatspi' 2>/dev/null; then
    echo "missing python3-pyatspi (scripts/install-deps.sh installs it)"
    exit 77
fi

workdir=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$workdir"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$workdir/display" ] && break
    sleep 0.1
done
if [ ! -s "$workdir/display" ]; then
    echo "Xvfb did not start:"
    cat "$workdir/xvfb.log"
    exit 1
fi
display=$(head -n1 "$workdir/display")
# Clients connect through the display's socket: wait until it is there.
for _ in $(seq 100); do
    [ -S "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
export DISPLAY=":$display"
export XDG_RUNTIME_DIR="$workdir"
export NO_AT_BRIDGE=0

# Everything on the bus ends with the session; the timeout keeps a stuck bus
# or client from hanging the run.
# A second try when the first reading fails: under a loaded machine the
# program has been seen failing to reach a display that had just opened.
for attempt in 1 2; do
status=0
timeout --kill-after=5 90 dbus-run-session -- bash -c '
    "$0" --launch-immediately >/dev/null 2>&1 &
    bus=$!
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$1" 60 &
    program=$!
    timeout 60 "$2" "$3" "$(basename "$1")"
    status=$?
    kill "$program" "$bus" 2>/dev/null
    wait "$program" "$bus" 2>/dev/null
    exit $status
' "$launcher" "$program" "$python" "$client"  || status=$?
[ "$status" -eq 0 ] && exit 0
echo "reading $attempt failed ($status)"
done
exit "$status"
