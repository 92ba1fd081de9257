#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds Zelmora for 64-bit Windows on Debian 12 and runs its whole test suite under Wine:
#   1. installs the cross compiler, Wine and the other tools it needs;
#   2. fetches Qt's source from Debian's own qt6-base source package, through apt;
#   3. cross-builds a static Qt from it once, into a cache outside the clone
#      (ZELMORA_CACHE, default ~/.cache/zelmora), reused while its recipe, source and
#      toolchain are the same;
#   4. cross-builds the program and the tests, makes the installer and the portable zip
#      (signed when ZELMORA_SIGN=ON, see packaging/windows/sign.sh), runs the tests under Wine
#      (the installer's among them), and leaves in build/windows/ zelmora.exe, the
#      installer, the zip and SHA256SUMS.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

step() { printf '\n== %s\n' "$*"; current_step=$*; }
current_step="start"
trap 'status=$?; ((status)) && echo "tools/windows.sh: failed at step: $current_step (exit $status)" >&2' EXIT

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

step "installing the cross compiler, Wine, NSIS, the signing tools and the build tools"
packages=(
    g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev python3
    qt6-base-dev qt6-base-dev-tools
    wine64 fonts-wine xvfb xauth x11-utils
    fonts-dejavu-core fonts-liberation locales
    nsis zip unzip imagemagick cmark-gfm xdotool
    osslsigncode openssl softhsm2 libengine-pkcs11-openssl
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes a program's locale from the host's C library: the number tests run under a
# Russian and an English one, so the host needs them.
for locale in ru_RU en_US; do
    if ! locale -a | grep -qix "$locale.utf-\?8"; then
        echo "Generating the $locale.UTF-8 locale"
        "${sudo[@]}" localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
    fi
done

# --- Qt -------------------------------------------------------------------------------
# The Qt that the program is linked with: Debian's own qt6-base source, the same version
# as the installed qt6-base-dev (whose host tools the cross build uses), built static and
# small as packaging/windows/qt-recipe.cmake says. The cache key covers that recipe, the
# Qt source version and the Debian versions of the compiler, binutils and MinGW runtime:
# a change of any of them means a new Qt build. Each build stays under its own key, so two
# checkouts of different recipes keep theirs; the two used last are kept.
recipe=packaging/windows/qt-recipe.cmake
qt_debian_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
toolchain_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix-runtime
                    binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
cache=${ZELMORA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zelmora}
key_inputs() {
    echo "qt6-base $qt_debian_version"
    dpkg-query -W -f='${Package} ${Version}\n' "${toolchain_packages[@]}"
    sha256sum < "$recipe" | sed 's/ .*/ qt-recipe.cmake/'
}
qt_key=$(key_inputs | sha256sum | cut -c1-12)
qt_dir=$cache/qt-$qt_debian_version-$qt_key
qt_install=$qt_dir/install
echo "Qt cache key $qt_key, from:"
key_inputs | sed 's/^/  /'

# Two runs share the cache safely through locks: qt.lock, held for a moment while a run
# picks its Qt or removes old ones, and one lock per Qt, held by every run that uses it
# (shared) or builds it (exclusive) until the run ends. Lock files are opened under qt.lock.
mkdir -p "$cache"
exec {cache_lock}>"$cache/qt.lock"
while :; do
    flock "$cache_lock"
    exec {qt_lock}>"$qt_dir.lock"
    if [ -f "$qt_install/.complete" ] && flock -n -s "$qt_lock"; then break; fi # ready
    flock -n "$qt_lock" && break # nobody builds it: this run does
    flock -u "$cache_lock"
    echo "waiting for another run that builds this Qt ($qt_dir)"
    flock -s "$qt_lock"
    exec {qt_lock}>&-
done

if [ -f "$qt_install/.complete" ]; then
    step "reusing the cross-built Qt in $qt_install"
else
    flock -u "$cache_lock" # the others may pick and build theirs meanwhile
    step "fetching Qt's source (qt6-base $qt_debian_version) from Debian's archive"
    rm -rf "$qt_dir" # an unfinished build (its run ended half-way)
    mkdir -p "$qt_dir/apt/lists/partial" "$qt_dir/apt/cache/archives/partial" "$qt_dir/source"
    # A private apt configuration: deb-src entries for the system's own Debian archives
    # and keys, every suite of them; apt checks the download against the signed index.
    python3 tools/debian-sources.py > "$qt_dir/apt/sources.list"
    apt_private=(
        -o Dir::Etc::SourceList="$qt_dir/apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
        -o Dir::State::Lists="$qt_dir/apt/lists" -o Dir::Cache="$qt_dir/apt/cache"
        -o APT::Sandbox::User=root
    )
    apt-get "${apt_private[@]}" -q update
    if ! (cd "$qt_dir/source" && apt-get "${apt_private[@]}" -q source "qt6-base=$qt_debian_version"); then
        offered=$(apt-cache "${apt_private[@]}" showsrc qt6-base | sed -n 's/^Version: //p' | sort -u | tr '\n' ' ')
        echo "tools/windows.sh: Debian's archive no longer offers the source of the installed" >&2
        echo "  qt6-base-dev $qt_debian_version; it offers: ${offered:-nothing}." >&2
        echo "  Upgrade the system's Qt to one of those (apt-get update && apt-get upgrade)" >&2
        echo "  and run this again: the cross-built Qt must match the host tools." >&2
        exit 1
    fi
    qt_source=$(find "$qt_dir/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')

    step "configuring Qt for Windows"
    cp "$recipe" "$qt_dir/toolchain.cmake"
    # The recipe writes the line to a file; a recipe that fails stops the build here.
    cmake -DZELMORA_QT_DIR="$qt_dir" -DZELMORA_QT_CONFIGURE_FILE="$qt_dir/configure-options" -P "$recipe"
    mapfile -t qt_configure < "$qt_dir/configure-options"
    mkdir -p "$qt_dir/build"
    (cd "$qt_dir/build" && "$qt_source/configure" -extprefix "$qt_install" "${qt_configure[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$qt_dir/toolchain.cmake") > "$qt_dir/configure.log" 2>&1 \
        || { tail -40 "$qt_dir/configure.log"; exit 1; }
    tail -5 "$qt_dir/configure.log"

    step "building Qt for Windows (about 1,100 steps; tens of minutes on 2 cores)"
    # Ninja's status of the newest step (done/all, seconds), every half minute.
    NINJA_STATUS="[%f/%t %es] " cmake --build "$qt_dir/build" --parallel "${ZELMORA_JOBS:-$(nproc)}" \
        > "$qt_dir/build.log" 2>&1 &
    builder=$!
    while kill -0 "$builder" 2>/dev/null; do
        sleep 30
        progress=$(grep -o '^\[[0-9]*/[0-9]* [0-9.]*s\]' "$qt_dir/build.log" | tail -1 || true)
        echo "  Qt build: ${progress:-starting}"
    done
    wait "$builder" || { grep -B5 -A20 -m1 'FAILED' "$qt_dir/build.log" || tail -40 "$qt_dir/build.log"; exit 1; }

    step "installing Qt into the cache"
    cmake --install "$qt_dir/build" > "$qt_dir/install.log" 2>&1 || { tail -40 "$qt_dir/install.log"; exit 1; }
    # Only the installed Qt is needed from now on.
    rm -rf "$qt_dir/build" "$qt_dir/source" "$qt_dir/apt"
    touch "$qt_install/.complete"
    flock "$cache_lock"
    flock -s "$qt_lock" # used from now on, as by the runs that waited for it
fi
touch "$qt_dir" # used last
# The Qt builds of other keys: the one used last is kept, and every other that no run uses
# or builds is removed (an unfinished one too).
kept=
while IFS= read -r other; do
    other=${other%/}
    [ "$other" != "$qt_dir" ] || continue
    if [ -z "$kept" ] && [ -f "$other/install/.complete" ]; then kept=$other; continue; fi
    exec {other_lock}>"$other.lock"
    if flock -n "$other_lock"; then
        echo "removing the Qt build used before the last two: $other"
        rm -rf "$other" "$other.lock"
    else
        echo "keeping $other: another run uses or builds it"
    fi
    exec {other_lock}>&-
done < <(ls -dt "$cache"/qt-*/ 2> /dev/null)
[ -z "$kept" ] || echo "also kept: $kept"
flock -u "$cache_lock"

# --- Zelmora ---------------------------------------------------------------------------
step "cross-building Zelmora and its tests, making the installer and the zip"
# The build folder records its Qt when configured: a folder made for another Qt is made
# anew. Signing is chosen with ZELMORA_SIGN=ON and the key's ZELMORA_SIGN_* settings in the
# environment (packaging/windows/sign.sh), passed on to the configure.
qt_options=(-DZELMORA_QT_PREFIX="$qt_install" -DZELMORA_QT_DEBIAN_VERSION="$qt_debian_version")
echo "A build folder of this Qt: cmake --preset windows ${qt_options[*]}"
recorded=$(sed -n 's/^ZELMORA_QT_PREFIX:[A-Z]*=//p' build/windows/CMakeCache.txt 2> /dev/null || true)
fresh=()
[ "$recorded" = "$qt_install" ] || fresh=(--fresh)
[[ ${ZELMORA_SIGN_PKCS11_KEY:-} != *pin-value=* ]] || { echo "tools/windows.sh: ZELMORA_SIGN_PKCS11_KEY holds" \
    "a PIN (pin-value=), which would show on command lines: put it in ZELMORA_SIGN_PASSWORD_FILE's file" >&2; exit 1; }
sign_options=(-DZELMORA_SIGN="${ZELMORA_SIGN:-OFF}")
for setting in PKCS12 PKCS11_MODULE PKCS11_KEY CERT PASSWORD_FILE TIMESTAMP_URL CA; do
    setting=ZELMORA_SIGN_$setting
    sign_options+=("-D$setting=${!setting:-}")
done
cmake --preset windows "${fresh[@]}" "${qt_options[@]}" "${sign_options[@]}" > /dev/null
cmake --build --preset windows

step "running the tests under Wine"
# A throwaway Wine prefix for this run, made before the tests start so that they do not
# race to make it. Wine and every test share one virtual X display: Wine ties its desktop
# to the display it first started on. Windows keeps Tahoma in its Fonts folder; Debian
# ships Wine's own Tahoma outside the prefix, where Wine does not look for it.
export WINEPREFIX=$top/build/windows/wineprefix
rm -rf "$WINEPREFIX"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    bash tests/windows/wine-run.sh wineboot --init > /dev/null 2>&1
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    status=0
    ctest --preset windows || status=$?
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    exit $status'

step "done"
ls build/windows/zelmora.exe build/windows/zelmora-*-win64* build/windows/SHA256SUMS
