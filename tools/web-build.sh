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
recipe=packaging/web/qt-recipe.cmake
qt_debian_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
toolchain_packages=(emscripten clang-19 lld-19 llvm-19 binaryen nodejs)
key_inputs() {
    echo "qt6-base $qt_debian_version"
    dpkg-query -W -f='${Package} ${Version}\n' "${toolchain_packages[@]}"
    sha256sum "$recipe" packaging/web/qt-*.patch | sed 's| .*/| |'
}
qt_key=$(key_inputs | sha256sum | cut -c1-12)
qt_dir=$cache/qt-wasm-$qt_debian_version-$qt_key
qt_install=$qt_dir/install
echo "Qt for WebAssembly: cache key $qt_key, from:"
key_inputs | sed 's/^/  /'

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

if [ -f "$qt_install/.complete" ]; then
    step "reusing the Qt for WebAssembly in $qt_install"
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
        echo "tools/web-build.sh: Debian's archive no longer offers the source of qt6-base" >&2
        echo "  $qt_debian_version, the root's qt6-base-dev: remove the root (tools/debian13.sh" >&2
        echo "  --print-root names it) so that the next run makes it anew with the current one." >&2
        exit 1
    fi
    qt_source=$(find "$qt_dir/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')
    for patch in packaging/web/qt-*.patch; do
        patch -d "$qt_source" -p1 --quiet < "$patch"
    done

    step "configuring Qt for WebAssembly (each of configure's checks links through node: minutes)"
    cmake -DZELMORA_QT_CONFIGURE_FILE="$qt_dir/configure-options" -P "$recipe"
    mapfile -t qt_configure < "$qt_dir/configure-options"
    mkdir -p "$qt_dir/build"
    (cd "$qt_dir/build" && "$qt_source/configure" -prefix "$qt_install" "${qt_configure[@]}") \
        > "$qt_dir/configure.log" 2>&1 || { tail -40 "$qt_dir/configure.log"; exit 1; }
    grep -i -A3 "^WARNING\|Emscripten .* toolchain" "$qt_dir/configure.log" | head -20 || true

    step "building Qt for WebAssembly (tens of minutes on 2 cores)"
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
# The Qt builds of other keys: the one used last before this one is kept, every other one
# (an unfinished one too) removed; no other build uses them while this one holds the lock.
kept=
while IFS= read -r other; do
    other=${other%/}
    [ "$other" != "$qt_dir" ] || continue
    if [ -z "$kept" ] && [ -f "$other/install/.complete" ]; then kept=$other; continue; fi
    echo "removing the Qt for WebAssembly used before the last two: $other"
    rm -rf "$other"
done < <(ls -dt "$cache"/qt-wasm-*/ 2> /dev/null)

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
