#!/usr/bin/env bash
# Installs the built program into a scratch prefix, starts it on a private virtual X display with its own
# session bus and accessibility bus, and drives it from outside as a person would (e2e_driver.py).
# usage: run_e2e.sh <build-dir> <screenshot.png>
set -euo pipefail
build=$(cd "$1" && pwd)
shot=${2:-$build/e2e-screenshot.png}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null

# -displayfd picks a free display number, so parallel runs never collide.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
# The display number is announced before the server takes connections on a busy machine: wait until it does.
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb on $DISPLAY does not answer" >&2; exit 1; }
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export PELLMARSH_BIN="$work/prefix/bin/pellmarsh" PELLMARSH_SCREENSHOT="$shot"

dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    bus=$!
    status=0
    /usr/bin/python3 "$0/e2e_driver.py" || status=$?
    kill $bus 2>/dev/null || true
    exit $status
' "$here" 2> >(grep -v -e "Failed to set fd limit" -e "Activating service" -e "Successfully activated" -e "SpiRegistry daemon" >&2)
