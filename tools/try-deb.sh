#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Tries the .deb on a clean Debian 12: bootstraps a minimal system into a folder, installs
# the package there with apt (which pulls the Qt runtime), and starts the program as a user
# typing `zelmora` in a terminal in /tmp would, on a virtual screen; the screenshot lands in
# build/package/clean-system.png. Needs root, debootstrap, Xvfb and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
root=${1:-/var/tmp/zelmora-clean}
deb=$(ls build/package/zelmora_*.deb | head -n 1)

if [ ! -x "$root/usr/bin/apt-get" ]; then
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi
cp "$deb" "$root/tmp/zelmora.deb"
mount --bind /dev "$root/dev"
mount -t proc proc "$root/proc"
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
trap 'umount "$root/tmp/.X11-unix" "$root/proc" "$root/dev"' EXIT

chroot "$root" apt-get update -q
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q /tmp/zelmora.deb

desktop=$root/usr/share/applications/org.example.zelmora.desktop
echo "launcher: $(sed -n 's/^Exec=//p' "$desktop")"

display=:77
Xvfb $display -screen 0 1024x700x24 &
xvfb=$!
sleep 1
install -d -m 700 "$root/tmp/runtime"
chroot "$root" env DISPLAY=$display XDG_RUNTIME_DIR=/tmp/runtime PATH=/usr/bin:/bin sh -c "cd /tmp && exec zelmora" &
app=$!
sleep 3
DISPLAY=$display import -window root build/package/clean-system.png
kill "$app" || true
kill "$xvfb" || true
wait || true
echo "screenshot: build/package/clean-system.png"
