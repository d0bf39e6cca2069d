#!/usr/bin/env bash
# Installs the built program into a scratch prefix, starts it on a private virtual X display with its own
# session bus and accessibility bus, and drives it from outside as a person would (e2e_driver.py).
# usage: run_e2e.sh <build-dir> [<screenshot.png>]
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$1" --prefix "$work/prefix" >/dev/null
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export PELLMARSH_BIN="$work/prefix/bin/pellmarsh" PELLMARSH_SCREENSHOT="${2:-}"
# xvfb-run picks a free display and starts the session only once the server takes connections.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    status=0
    /usr/bin/python3 "$0/e2e_driver.py" || status=$?
    kill $! 2>/dev/null || true
    exit $status' "$(cd "$(dirname "$0")" && pwd)" \
    2> >(grep -v -e "Failed to set fd limit" -e "Activating service" -e "Successfully activated" -e "SpiRegistry" >&2)
