#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds Zelmora for 64-bit Windows and runs its whole test suite under Wine, inside the
# Debian 13 root: tools/windows.sh runs it there through tools/debian13.sh, with the clone
# read-only at /src and what is kept from run to run at /var/zelmora-cache.
#   1. fetches Qt's source from Debian 13's qt6-base source package, the same version as the
#      root's qt6-base-dev, whose host tools (moc, rcc, uic) the cross build uses;
#   2. cross-builds a static Qt from it with the root's MinGW-w64, once, as
#      packaging/windows/qt-recipe.cmake says, into the cache under a key of that recipe,
#      Qt's source version and the toolchain's versions;
#   3. cross-builds the program and the tests (preset windows-debian13), makes the installer
#      and the portable zip (signed when ZELMORA_SIGN=ON, see packaging/windows/sign.sh),
#      runs the tests under the root's Wine and leaves zelmora.exe, the installer, the zip
#      and SHA256SUMS in /var/zelmora-cache/windows/build.
set -euo pipefail
cd /src
[ -d /var/zelmora-cache ] || { echo "tools/windows-build.sh runs inside tools/debian13.sh's root" >&2; exit 1; }

step() { printf '\n== %s\n' "$*"; }
cache=/var/zelmora-cache
# One Windows build at a time (runs in the root may go on at once): it owns the folders below.
exec 8>> "$cache/windows.lock"
flock --nonblock 8 || { echo "== waiting for the other Windows build to end"; flock 8; }

# --- Qt -------------------------------------------------------------------------------
# The cache key covers the recipe, the Qt source version and the Debian versions of the
# compiler, binutils and MinGW runtime: a change of any of them (a security update of
# qt6-base in the root, say) means a new Qt build.
recipe=packaging/windows/qt-recipe.cmake
qt_debian_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
toolchain_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix-runtime
                    binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
key_inputs() {
    echo "qt6-base $qt_debian_version"
    dpkg-query -W -f='${Package} ${Version}\n' "${toolchain_packages[@]}"
    sha256sum < "$recipe" | sed 's/ .*/ qt-recipe.cmake/'
}
qt_key=$(key_inputs | sha256sum | cut -c1-12)
qt_dir=$cache/qt-win-$qt_debian_version-$qt_key
qt_install=$qt_dir/install
echo "Qt for Windows: cache key $qt_key, from:"
key_inputs | sed 's/^/  /'

if [ -f "$qt_install/.complete" ]; then
    step "reusing the cross-built Qt in $qt_install"
else
    step "fetching Qt's source (qt6-base $qt_debian_version) from Debian's archive"
    rm -rf "$qt_dir" # an unfinished build (its run ended half-way)
    mkdir -p "$qt_dir/apt/lists/partial" "$qt_dir/apt/cache/archives/partial" "$qt_dir/source"
    # A private apt configuration: the root's own archives as deb-src; apt checks the
    # download against the signed index.
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$qt_dir/apt/sources.list"
    apt_private=(
        -o Dir::Etc::SourceList="$qt_dir/apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
        -o Dir::State::Lists="$qt_dir/apt/lists" -o Dir::Cache="$qt_dir/apt/cache"
        -o APT::Sandbox::User=root
    )
    apt-get "${apt_private[@]}" -q update > /dev/null
    if ! (cd "$qt_dir/source" && apt-get "${apt_private[@]}" -q source "qt6-base=$qt_debian_version" > /dev/null); then
        echo "tools/windows-build.sh: Debian's archive no longer offers the source of qt6-base" >&2
        echo "  $qt_debian_version, the root's qt6-base-dev: remove the root (tools/debian13.sh" >&2
        echo "  --print-root names it) so that the next run makes it anew with the current one." >&2
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
    grep -i -A3 "^WARNING" "$qt_dir/configure.log" | head -20 || true

    step "building Qt for Windows (about 1,200 steps; tens of minutes on 2 cores)"
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
fi
touch "$qt_dir" # used last
# The Qt builds of other keys: the one used last before this one is kept, older ones removed
# (no other Windows build uses them while this one holds the lock).
ls -dt "$cache"/qt-win-*/ 2> /dev/null | tail -n +3 | while IFS= read -r other; do
    echo "removing the Qt for Windows used before the last two: $other"
    rm -rf "$other"
done

# --- Zelmora ---------------------------------------------------------------------------
step "cross-building Zelmora and its tests, making the installer and the zip"
build=$cache/windows/build
# The build folder records its Qt when configured: a folder made for another Qt is made
# anew. Signing is chosen with ZELMORA_SIGN=ON and the key's ZELMORA_SIGN_* settings in the
# environment (packaging/windows/sign.sh), passed on to the configure.
qt_options=(-DZELMORA_QT_PREFIX="$qt_install" -DZELMORA_QT_DEBIAN_VERSION="$qt_debian_version")
recorded=$(sed -n 's/^ZELMORA_QT_PREFIX:[A-Z]*=//p' "$build/CMakeCache.txt" 2> /dev/null || true)
fresh=()
[ "$recorded" = "$qt_install" ] || fresh=(--fresh)
[[ ${ZELMORA_SIGN_PKCS11_KEY:-} != *pin-value=* ]] || { echo "tools/windows.sh: ZELMORA_SIGN_PKCS11_KEY holds" \
    "a PIN (pin-value=), which would show on command lines: put it in ZELMORA_SIGN_PASSWORD_FILE's file" >&2; exit 1; }
sign_options=(-DZELMORA_SIGN="${ZELMORA_SIGN:-OFF}")
for setting in PKCS12 PKCS11_MODULE PKCS11_KEY CERT PASSWORD_FILE TIMESTAMP_URL CA; do
    setting=ZELMORA_SIGN_$setting
    sign_options+=("-D$setting=${!setting:-}")
done
cmake --preset windows-debian13 "${fresh[@]}" "${qt_options[@]}" "${sign_options[@]}" > /dev/null
cmake --build --preset windows-debian13

step "running the tests under Wine"
# A throwaway Wine prefix for this run, made before the tests start so that they do not
# race to make it. Wine and every test share one virtual X display: Wine ties its desktop
# to the display it first started on. Windows keeps Tahoma in its Fonts folder; Debian
# ships Wine's own Tahoma outside the prefix, where Wine does not look for it.
export WINEPREFIX=$build/wineprefix
rm -rf "$WINEPREFIX"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    bash tests/windows/wine-run.sh wineboot --init > /dev/null 2>&1
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    status=0
    ctest --preset windows-debian13 || status=$?
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    exit $status'
