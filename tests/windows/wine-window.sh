#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The real zelmora.exe under Wine on a virtual X display, with Qt's windows platform:
# its main window appears, and it says nothing on stderr.
# Usage: wine-window.sh ZELMORA_EXE   (from the folder holding the pictures)
set -euo pipefail
# On the X display that the Wine prefix started on (tools/windows-build.sh runs the tests in one).
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
unset QT_QPA_PLATFORM
export QT_FORCE_STDERR_LOGGING=1
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

bash "$(dirname "$0")/wine-run.sh" "$1" 2> "$errors" &
program=$!
for _ in $(seq 240); do # at most a minute, most of it a fresh Wine prefix starting
    if xwininfo -root -tree | grep -q '"Zelmora 3.0"'; then
        sleep 1 # and it stays up
        kill -0 "$program" 2>/dev/null || { echo "the program ended after its window appeared"; exit 1; }
        kill "$program"
        wait "$program" || true
        # Wine lacks two calls that Windows 10 and 11 have and the monitors' device
        # interfaces; Qt says so and carries on.
        if grep -v -e 'SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) failed' \
                   -e 'EnableNonClientDpiScaling() failed' -e 'Unable to open monitor interface to' \
                   -e '^$' "$errors"; then
            echo "(the program wrote that to stderr)"; exit 1
        fi
        echo "the main window appeared"
        exit 0
    fi
    kill -0 "$program" 2>/dev/null || { echo "the program ended before its window appeared:"; cat "$errors"; exit 1; }
    sleep 0.25
done
echo "no main window within a minute:"; cat "$errors"
kill "$program" || true
exit 1
