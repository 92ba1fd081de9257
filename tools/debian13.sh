#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds Zelmora and runs its test suite (the debian13 preset: the dev build in a folder of
# the root's own) on Debian 13 with its Qt 6.8, inside a Debian 13 root made with
# mmdebstrap; then installs the .deb built on this system for this version there and
# starts it. Needs root.
#   - Everything runs in a mount and PID namespace of its own (unshare), so every mount,
#     mmdebstrap's included, and every process in the root end with the script, however
#     it ends (even by SIGKILL).
#   - The root is made once into the cache (ZELMORA_CACHE, default ~/.cache/zelmora),
#     keyed by all that shapes it: package list, archive lines, customize hook and options.
#     A run sees it through an overlay on a tmpfs, so nothing a run does (installing the
#     .deb, say) stays in it; the build folder is kept beside it.
#   - The clone is mounted read-only at /src; /dev has only the nodes the tests need.
#   - A root is deleted only while nothing is mounted under it and no run uses it; runs
#     may go on at once, each in an overlay of its own (the build and the suite: one at
#     a time).
# Usage: debian13.sh [COMMAND...]  (default: the build and the suite, then the .deb;
#        with a command, runs that in the root instead, from /src)
#        debian13.sh --print-root    (prints the folder of the root this script uses)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

# What building and testing need (tools/setup.sh's list), the locales and virtual display
# the tests use, the desktop styles and the settings tool the form is checked under, and
# mount, with which the tests run this script inside the root too. The cross builds: for the
# browser, Emscripten and Ninja (tools/web.sh); for Windows (tools/windows.sh), MinGW-w64,
# NSIS, the signing tools and Wine with what its tests use.
packages=(
    g++ make cmake pkg-config qt6-base-dev libgl-dev libbenchmark-dev
    emscripten ninja-build
    g++-mingw-w64-x86-64-posix nsis zip unzip osslsigncode openssl softhsm2 libengine-pkcs11-openssl
    wine64 fonts-wine imagemagick xdotool
    fonts-dejavu-core fonts-liberation desktop-file-utils appstream
    dpkg-dev file lintian man-db cmark-gfm python3 fakeroot
    qt6-qpa-plugins locales xvfb xauth x11-utils
    kde-style-breeze adwaita-qt6 qt6ct mount
)
archive=http://deb.debian.org
sources=("deb $archive/debian trixie main" "deb $archive/debian trixie-updates main"
         "deb $archive/debian-security trixie-security main")
hook='echo "en_US.UTF-8 UTF-8" > "$1/etc/locale.gen"; echo "ru_RU.UTF-8 UTF-8" >> "$1/etc/locale.gen"; chroot "$1" locale-gen'
options=(--mode=root --variant=apt --include="$(IFS=,; echo "${packages[*]}")" --customize-hook="$hook")
cache=${ZELMORA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zelmora}
key=$(printf '%s\n' "${options[@]}" trixie "${sources[@]}" | sha256sum | cut -c1-12)
root=$cache/debian13-$key
build=$root.build # the root's build folder, /var/zelmora-build in it
# What the builds in the root keep from run to run whatever root they run in (the Qt built
# for the browser, say), /var/zelmora-cache in it; never deleted by this script.
kept=$cache/debian13.cache

if [ "${1-}" = --print-root ]; then
    echo "$root"
    exit
fi
if [ "${ZELMORA_IN_NAMESPACE-}" != 1 ] || [ $$ != 1 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    mkdir -p "$cache"
    # Not exec'd: unshare blocks INT and TERM while it waits, so a signal is taken here and
    # answered with SIGKILL, which --kill-child passes on to the whole namespace. setpriv
    # comes after sudo (a setuid program clears the parent-death signal): if this shell is
    # killed with SIGKILL, unshare gets SIGKILL too (with sudo: once sudo ends).
    "${sudo[@]}" setpriv --pdeathsig KILL -- env ZELMORA_IN_NAMESPACE=1 ZELMORA_CACHE="$cache" \
        unshare --mount --pid --fork --kill-child --propagation private \
        bash "$top/tools/debian13.sh" "$@" 0<&0 &
    child=$!
    trap 'set +e; kill -KILL $child 2> /dev/null || "${sudo[@]}" kill -KILL $child; wait $child; exit 130' \
        INT TERM HUP
    status=0
    wait $child || status=$?
    exit $status
fi
# From here on: root, process 1 of a PID namespace, in a private mount namespace. Process 1
# ignores the signals it has no handler for; its exit ends every other process in it.
trap 'exit 130' INT TERM HUP

# Runs share the root and hold this lock shared, each in an overlay of its own; a run that
# makes the root (removing any other) holds it alone. lock [--shared]
exec 9>> "$cache/debian13.lock"
lock() {
    flock --nonblock "$@" 9 || { echo "== waiting for the other runs of debian13.sh to end"; flock "$@" 9; }
}

# Refuses (before deleting anything) while anything is mounted at or under FOLDER...:
# deleting would go into the mount.
refuse_mounted() {
    local folder target mounts
    mounts=$(findmnt --raw --noheadings --output TARGET) || return 1
    for folder; do
        [ -e "$folder" ] || continue
        folder=$(realpath "$folder")
        while read -r target; do
            printf -v target %b "$target" # --raw writes a space, a backslash... as \x20, \x5c...
            case $target in
            "$folder" | "$folder"/*)
                echo "refusing to delete $folder: $target is mounted there (unmount it first)" >&2
                return 1 ;;
            esac
        done <<< "$mounts"
    done
}

lock --shared
# (Taking the lock alone lets go of it first: the root is looked at again each time.)
while [ ! -f "$root/.complete" ]; do
    lock
    if [ ! -f "$root/.complete" ]; then
        echo "== making the Debian 13 root in $root"
        shopt -s nullglob
        refuse_mounted "$cache"/debian13-*
        rm -rf "$cache"/debian13-*
        if ! dpkg-query -W -f='${Status}' mmdebstrap 2>/dev/null | grep -q "ok installed"; then
            apt-get update -q
            DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap
        fi
        mmdebstrap "${options[@]}" trixie "$root" "${sources[@]}" &
        wait $!
        touch "$root/.complete"
    fi
    lock --shared
done

# Stops whatever still runs in the root (an X server winding down, say), then unmounts.
# Each step on its own: a failing one must not skip the rest.
cleanup() {
    set +e
    [ $$ = 1 ] && kill -KILL -1 2> /dev/null # every other process of this PID namespace
    sleep 0.2
    if [ -n "${run-}" ]; then
        umount --recursive "$run" 2> /dev/null || umount --recursive --lazy "$run"
        rmdir "$run" 2> /dev/null
    fi
}
trap cleanup EXIT
mkdir -p "$build" "$kept"
run=$(mktemp -d "$root.run.XXXXXX")
mount -t tmpfs -o mode=755,size=4G tmpfs "$run" # holds the overlay this run sees
merged=$run/root
mkdir "$run/upper" "$run/work" "$merged"
mount -t overlay overlay -o "lowerdir=$root,upperdir=$run/upper,workdir=$run/work" "$merged"
mount -t proc proc "$merged/proc"
mount -t tmpfs -o mode=755,nosuid tmpfs "$merged/dev"
mknod -m 666 "$merged/dev/null" c 1 3
mknod -m 666 "$merged/dev/zero" c 1 5
mknod -m 666 "$merged/dev/full" c 1 7
mknod -m 666 "$merged/dev/random" c 1 8
mknod -m 666 "$merged/dev/urandom" c 1 9
mknod -m 666 "$merged/dev/tty" c 5 0
mkdir "$merged/dev/pts" "$merged/dev/shm"
mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$merged/dev/pts"
ln -s pts/ptmx "$merged/dev/ptmx"
ln -s /proc/self/fd "$merged/dev/fd"
mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$merged/dev/shm"
mkdir -p "$merged/src" "$merged/var/zelmora-build" "$merged/var/zelmora-cache"
mount --bind "$top" "$merged/src"
mount -o remount,bind,ro "$merged/src"
mount --bind "$build" "$merged/var/zelmora-build"
mount --bind "$kept" "$merged/var/zelmora-cache"

# Runs in the root; waits in the background so that a signal is handled at once.
in_root() {
    chroot "$merged" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@" 0<&0 9>&- &
    wait $!
}

if (($#)); then
    in_root bash -c 'cd /src && exec "$@"' bash "$@"
    exit
fi

exec 8>> "$cache/debian13.build.lock" # the root's build folder: one run at a time
flock --nonblock 8 || { echo "== waiting for the other run that builds in $build"; flock 8; }
echo "== building Zelmora on Debian 13 ($(chroot "$merged" dpkg-query -W -f='Qt ${Version}' qt6-base-dev))"
in_root bash -c 'cd /src && cmake --preset debian13 > /dev/null && cmake --build --preset debian13 && ctest --preset debian13'

# The .deb for the version just built, made here (as the clone's owner) when missing.
define() { sed -n "s/^#define $1 \"\(.*\)\"$/\1/p" "$build/generated/zelmora/version.h"; }
version=$(define ZELMORA_VERSION_FULL)
deb=build/package/zelmora_$(define ZELMORA_VERSION)_$(dpkg --print-architecture).deb
echo "== the .deb built on this system ($deb, $version), installed and started on Debian 13"
if [ ! -f "$deb" ] || [ "$(dpkg-deb -f "$deb" Version)" != "$version" ]; then
    echo "(building it with tools/package.sh)"
    owner=$(stat -c %U "$top")
    if [ "$owner" = root ]; then
        bash tools/package.sh > /dev/null 9>&- &
    else
        runuser -u "$owner" -- bash tools/package.sh > /dev/null 9>&- &
    fi
    wait $!
fi
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || { echo "$deb is not version $version"; exit 1; }
cp "$deb" "$merged/tmp/zelmora.deb"
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q /tmp/zelmora.deb > /dev/null
# Typed in a terminal in /tmp, on a virtual X display: it must run until stopped, silently.
status=0
in_root bash -c 'cd /tmp && xvfb-run -a timeout 5 zelmora > /tmp/zelmora.out 2>&1' || status=$?
[ "$status" = 124 ] || { echo "the installed zelmora did not keep running (exit $status)"; exit 1; }
if [ -s "$merged/tmp/zelmora.out" ]; then
    echo "the installed zelmora printed:"; cat "$merged/tmp/zelmora.out"; exit 1
fi
echo "the installed zelmora started on the X display and ran until stopped, silently"
