#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Makes the user's guide's screenshots from the real program: starts it on a virtual X
# display, puts it into the states the guide shows and writes docs/guide-*.png:
#   guide-start.png    the window as it starts;
#   guide-example.png  after the guide's worked example (220 V primary, 12 V 1 A secondary);
#   guide-refused.png  after a refused core dimension (b = 0): only the strip of the window
#                      with the b field and the log's first lines, where the change shows.
# The program runs at a fixed date and time (faketime), so the log's time stamp is the
# same in every run, and the pictures change only when the window does. Run this after
# a visible change and commit the pictures. Installs what it needs when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] || [ -z "${ZELMORA_GUIDE_DISPLAY:-}" ]; then
    packages=(faketime xdotool xvfb xauth x11-utils imagemagick fonts-liberation)
    missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
    done
    if ((${#missing[@]})); then
        sudo=()
        [ "$(id -u)" -eq 0 ] || sudo=(sudo)
        "${sudo[@]}" apt-get update -q
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
    bash tools/setup.sh
    cmake --preset dev > /dev/null
    cmake --build --preset dev --target zelmora
    ZELMORA_GUIDE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0"
fi

program=$PWD/build/dev/zelmora
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR

# Starts the program (from the folder holding its pictures) and waits for its window.
start() {
    FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f '2026-12-07 10:00:00' "$program" 2> /dev/null &
    pid=$!
    window=
    for _ in $(seq 80); do
        window=$(xdotool search --onlyvisible --name '^Zelmora 3\.0$' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        sleep 0.25
    done
    [ -n "$window" ] || { echo "no window"; exit 1; }
    sleep 2 # the splash has gone
    read -r left top width height < <(xwininfo -id "$window" | awk '
        /Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {print x, y, w, $2}')
}
# Clicks at a point of the window (x, y from its top left).
click() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.3; }
type_text() { xdotool type --delay 50 "$1"; sleep 0.2; }
key() { xdotool key "$@"; sleep 0.3; }
# Takes the window, or the part of it given as WIDTHxHEIGHT+X+Y from its top left.
shoot() {
    local part=${2:-${width}x$height+0+0}
    local size=${part%%+*} x=${part#*+}
    local y=${x#*+}
    x=${x%%+*}
    xdotool mousemove 0 0 # no pointer or hover over the window
    sleep 0.2 # drawn, and a text cursor not yet blinked off (it shows for half a second)
    import -window root -crop "$size+$((left + x))+$((top + y))" +repage "docs/$1.png"
    # No time or tool names in the file: the same window gives the same bytes.
    mogrify -strip -define png:exclude-chunks=date,time "docs/$1.png"
    kill "$pid"
    wait "$pid" 2> /dev/null || true
    echo "docs/$1.png"
}

start
shoot guide-start

start
click 88 180       # the second winding's voltage
type_text 12
key Tab
type_text 1
key Return
click 48 483       # Посчитать
shoot guide-example

start
click 697 257      # b
key ctrl+a
type_text 0
xdotool key Return
shoot guide-refused "${width}x100+0+236"
