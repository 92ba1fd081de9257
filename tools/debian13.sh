#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds Zelmora and runs its test suite (the dev preset, as tools/test.sh does) on
# Debian 13 with its Qt 6.8, inside a Debian 13 root made with mmdebstrap; then installs
# the .deb built on this system there and starts it. Needs root.
#   - The root is made once into the cache (ZELMORA_CACHE, default ~/.cache/zelmora),
#     keyed by its package list: a change of the list makes it anew.
#   - The clone is mounted into the root at /src, its build folder from the root's own
#     (so the two systems' builds never mix); every mount is undone on any exit.
# Usage: debian13.sh [COMMAND...]  (default: the build and the suite, then the .deb;
#        with a command, runs that in the root instead, from /src)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if ! dpkg-query -W -f='${Status}' mmdebstrap 2>/dev/null | grep -q "ok installed"; then
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap
fi

# What building and testing need (tools/setup.sh's list), the locales and virtual display
# the tests use, and the desktop styles and the settings tool the form is checked under.
packages=(
    g++ make cmake pkg-config qt6-base-dev libgl-dev libbenchmark-dev
    fonts-dejavu-core fonts-liberation desktop-file-utils appstream
    dpkg-dev file lintian man-db cmark-gfm python3 fakeroot
    qt6-qpa-plugins locales xvfb xauth x11-utils
    kde-style-breeze adwaita-qt6 qt6ct
)
archive=http://deb.debian.org
cache=${ZELMORA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zelmora}
key=$(printf '%s\n' "${packages[@]}" "$archive" | sha256sum | cut -c1-12)
root=$cache/debian13-$key

if [ ! -f "$root/.complete" ]; then
    echo "== making the Debian 13 root in $root"
    "${sudo[@]}" rm -rf "$root" "$cache"/debian13-*
    mkdir -p "$cache"
    "${sudo[@]}" mmdebstrap --variant=apt --include="$(IFS=,; echo "${packages[*]}")" \
        --customize-hook='echo "en_US.UTF-8 UTF-8" > "$1/etc/locale.gen"; echo "ru_RU.UTF-8 UTF-8" >> "$1/etc/locale.gen"; chroot "$1" locale-gen' \
        trixie "$root" \
        "deb $archive/debian trixie main" "deb $archive/debian trixie-updates main" \
        "deb $archive/debian-security trixie-security main"
    "${sudo[@]}" touch "$root/.complete"
fi

mounts=()
# Stops whatever still runs in the root (an X server winding down, say), then unmounts.
cleanup() {
    local i process
    for process in /proc/[0-9]*; do
        [ "$("${sudo[@]}" readlink "$process/root" 2>/dev/null)" = "$root" ] && "${sudo[@]}" kill "${process#/proc/}" 2>/dev/null
    done
    sleep 0.5
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        "${sudo[@]}" umount "${mounts[i]}" 2>/dev/null || "${sudo[@]}" umount --lazy "${mounts[i]}"
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
mount_into() { # mount_into TARGET MOUNT-ARGS...
    local target=$root$1
    shift
    "${sudo[@]}" mkdir -p "$target"
    "${sudo[@]}" mount "$@" "$target"
    mounts+=("$target")
}
mount_into /proc -t proc proc
mount_into /dev --bind /dev
mount_into /dev/pts --bind /dev/pts
mount_into /src --bind "$top"
"${sudo[@]}" mkdir -p "$root/var/zelmora-build"
mount_into /src/build --bind "$root/var/zelmora-build"

in_root() { "${sudo[@]}" chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

if (($#)); then
    in_root bash -c 'cd /src && exec "$@"' bash "$@"
    exit
fi

echo "== building Zelmora on Debian 13 ($(in_root dpkg-query -W -f='Qt ${Version}' qt6-base-dev))"
in_root bash -c 'cd /src && cmake --preset dev > /dev/null && cmake --build --preset dev && ctest --preset dev'

echo "== the .deb built on this system, installed and started on Debian 13"
deb=$(ls build/package/zelmora_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || bash tools/package.sh > /dev/null
deb=$(ls build/package/zelmora_*.deb | head -1)
"${sudo[@]}" cp "$deb" "$root/tmp/zelmora.deb"
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q /tmp/zelmora.deb > /dev/null
# Typed in a terminal in /tmp, on a virtual X display: it must run until stopped, silently.
status=0
in_root bash -c 'cd /tmp && xvfb-run -a timeout 5 zelmora > /tmp/zelmora.out 2>&1' || status=$?
[ "$status" = 124 ] || { echo "the installed zelmora did not keep running (exit $status)"; exit 1; }
if [ -s "$root/tmp/zelmora.out" ]; then
    echo "the installed zelmora printed:"; cat "$root/tmp/zelmora.out"; exit 1
fi
echo "the installed zelmora started on the X display and ran until stopped, silently"
