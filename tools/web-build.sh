#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds Zelmora for the browser (WebAssembly), inside the Debian 13 root: tools/web.sh runs
# it there through tools/debian13.sh, with the clone read-only at /src and what is kept from
# run to run at /var/zelmora-cache.
#   1. fetches Qt's source from Debian 13's qt6-base source package, the same version as the
#      root's qt6-base-dev, whose host tools (moc, rcc, uic) the cross build uses;
#   2. builds a static, single-threaded Qt for WebAssembly from it with Debian's Emscripten,
#      once, as packaging/web/qt-recipe.cmake says, into the cache under a key of that recipe,
#      its patches, Qt's source version and the toolchain's versions;
#   3. builds Zelmora against it and leaves the site in /var/zelmora-cache/web/site-CLONE
#      (ZELMORA_CLONE: the clone's own build folder and site; ZELMORA_JOBS: parallel jobs).
set -euo pipefail
cd /src
[ -d /var/zelmora-cache ] || { echo "tools/web-build.sh runs inside tools/debian13.sh's root" >&2; exit 1; }

step() { printf '\n== %s\n' "$*"; }
cache=/var/zelmora-cache
# One browser build at a time (runs in the root may go on at once): it owns the folders below.
exec 8>> "$cache/web.lock"
flock --nonblock 8 || { echo "== waiting for the other browser build to end"; flock 8; }
# Qt's configure finds Emscripten through EMSDK and the layout of Emscripten's own SDK: a
# folder holding .emscripten, which names the compiler's folder, as upstream/emscripten.
# Debian's emscripten has its files in /usr/share/emscripten, so this folder only points
# there. (The compiler itself reads Debian's configuration, /usr/share/emscripten/.emscripten.)
export EMSDK=$cache/emsdk
if [ ! -f "$EMSDK/.emscripten" ]; then
    mkdir -p "$EMSDK/upstream"
    ln -sfn /usr/share/emscripten "$EMSDK/upstream/emscripten"
    echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" > "$EMSDK/.emscripten"
fi

source tools/qt-cache.sh
qt_toolchain_packages=(emscripten clang-19 lld-19 llvm-19 binaryen nodejs)
qt_patches=(packaging/web/qt-*.patch)
qt_cache WebAssembly wasm packaging/web/qt-recipe.cmake -prefix

step "building Zelmora for WebAssembly"
clone=${ZELMORA_CLONE:-default}
build=$cache/web/build-$clone
# A build folder made for another Qt is made anew.
recorded=$(sed -n 's/^Qt6_DIR:[A-Z]*=//p' "$build/CMakeCache.txt" 2> /dev/null || true)
fresh=()
[[ $recorded == "$qt_install"/* ]] || fresh=(--fresh)
"$qt_install/bin/qt-cmake" -S /src -B "$build" -G Ninja "${fresh[@]}" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DZELMORA_BENCHMARKS=OFF -DZELMORA_WEB_SITE_DIR="$cache/web/site-$clone" > /dev/null
cmake --build "$build" --parallel "${ZELMORA_JOBS:-$(nproc)}" --target zelmora_site
