#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds Zelmora for 64-bit Windows and runs its whole test suite under Wine, inside the
# Debian 13 root: tools/windows.sh runs it there through tools/debian13.sh, with the clone
# read-only at /src and what is kept from run to run at /var/zelmora-cache.
#   1. fetches Qt's source from Debian 13's qt6-base source package, the same version as the
#      root's qt6-base-dev, whose host tools (moc, rcc, uic) the cross build uses;
#   2. cross-builds a static Qt from it with the root's MinGW-w64, once, as
#      packaging/windows/qt-recipe.cmake says (with the patches beside it), into the cache
#      under a key of the recipe, the patches, Qt's source version and the toolchain's
#      versions (tools/qt-cache.sh);
#   3. cross-builds the program and the tests (preset windows), makes the installer
#      and the portable zip (signed when ZELMORA_SIGN=ON, see packaging/windows/sign.sh),
#      runs the tests under the root's Wine and leaves zelmora.exe, the installer, the zip
#      and SHA256SUMS in /var/zelmora-cache/windows/build-CLONE (ZELMORA_CLONE: the clone's
#      own build folder).
set -euo pipefail
cd /src
[ -d /var/zelmora-cache ] || { echo "tools/windows-build.sh runs inside tools/debian13.sh's root" >&2; exit 1; }

step() { printf '\n== %s\n' "$*"; }
cache=/var/zelmora-cache
# One Windows build at a time (runs in the root may go on at once): it owns the folders below.
exec 8>> "$cache/windows.lock"
flock --nonblock 8 || { echo "== waiting for the other Windows build to end"; flock 8; }

source tools/qt-cache.sh
qt_toolchain_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix-runtime
                       binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
qt_patches=(packaging/windows/qt-*.patch)
qt_cache Windows win packaging/windows/qt-recipe.cmake -extprefix toolchain

step "cross-building Zelmora and its tests, making the installer and the zip"
export ZELMORA_CLONE=${ZELMORA_CLONE:-default} # the preset's build folder
build=$cache/windows/build-$ZELMORA_CLONE
# The build folder records its Qt when configured: a folder made for another Qt is made
# anew. Signing is chosen with ZELMORA_SIGN=ON and the key's ZELMORA_SIGN_* settings in the
# environment (packaging/windows/sign.sh), passed on to the configure.
qt_options=(-DZELMORA_QT_PREFIX="$qt_install" -DZELMORA_QT_DEBIAN_VERSION="$qt_debian_version")
recorded=$(sed -n 's/^ZELMORA_QT_PREFIX:[A-Z]*=//p' "$build/CMakeCache.txt" 2> /dev/null || true)
fresh=()
[ "$recorded" = "$qt_install" ] || fresh=(--fresh)
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
export WINEPREFIX=$build/wineprefix
rm -rf "$WINEPREFIX"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    bash tests/windows/wine-run.sh wineboot --init > /dev/null 2>&1
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    status=0
    ctest --preset windows || status=$?
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    exit $status'
