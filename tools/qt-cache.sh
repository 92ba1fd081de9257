# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The cross-built Qt of a build in the Debian 13 root, sourced by tools/web-build.sh and
# tools/windows-build.sh (each holding its own lock, so that no other build of its kind
# uses the folders below):
#   qt_cache NAME KIND RECIPE PREFIX_OPTION [toolchain]
# with the Debian packages of the toolchain in qt_toolchain_packages, the patches to Qt's
# source in qt_patches, and "toolchain" when RECIPE is Qt's CMake toolchain file too. It
# fetches Qt's source from Debian 13's qt6-base source package, the same version as the
# root's qt6-base-dev, whose host tools (moc, rcc, uic) the cross build uses, and builds it
# once, as RECIPE says (cmake -P writes its configure options; installed with
# PREFIX_OPTION), into /var/zelmora-cache/qt-KIND-<version>-<key>. The key covers the
# recipe, the patches, Qt's source version and the toolchain's package versions: a change
# of any of them (a security update of qt6-base in the root, say) means a new Qt build.
# Sets qt_debian_version, qt_dir and qt_install (the installed Qt).
qt_cache() {
    local name=$1 kind=$2 recipe=$3 prefix_option=$4 toolchain=${5:-}
    local cache=/var/zelmora-cache
    qt_debian_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
    key_inputs() {
        echo "qt6-base $qt_debian_version"
        dpkg-query -W -f='${Package} ${Version}\n' "${qt_toolchain_packages[@]}"
        sha256sum "$recipe" "${qt_patches[@]}" | sed 's| .*/| |'
    }
    local qt_key
    qt_key=$(key_inputs | sha256sum | cut -c1-12)
    qt_dir=$cache/qt-$kind-$qt_debian_version-$qt_key
    qt_install=$qt_dir/install
    echo "Qt for $name: cache key $qt_key, from:"
    key_inputs | sed 's/^/  /'

    if [ -f "$qt_install/.complete" ]; then
        step "reusing the Qt for $name in $qt_install"
    else
        step "fetching Qt's source (qt6-base $qt_debian_version) from Debian's archive"
        rm -rf "$qt_dir" # an unfinished build (its run ended half-way)
        mkdir -p "$qt_dir/apt/lists/partial" "$qt_dir/apt/cache/archives/partial" "$qt_dir/source"
        # A private apt configuration: the root's own archives as deb-src; apt checks the
        # download against the signed index.
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$qt_dir/apt/sources.list"
        local apt_private=(
            -o Dir::Etc::SourceList="$qt_dir/apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
            -o Dir::State::Lists="$qt_dir/apt/lists" -o Dir::Cache="$qt_dir/apt/cache"
            -o APT::Sandbox::User=root
        )
        apt-get "${apt_private[@]}" -q update > /dev/null
        if ! (cd "$qt_dir/source" && apt-get "${apt_private[@]}" -q source "qt6-base=$qt_debian_version" > /dev/null); then
            echo "$0: Debian's archive no longer offers the source of qt6-base" >&2
            echo "  $qt_debian_version, the root's qt6-base-dev: remove the root (tools/debian13.sh" >&2
            echo "  --print-root names it) so that the next run makes it anew with the current one." >&2
            exit 1
        fi
        local qt_source patch qt_configure=()
        qt_source=$(find "$qt_dir/source" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')
        for patch in "${qt_patches[@]}"; do
            patch -d "$qt_source" -p1 --quiet < "$patch"
        done

        step "configuring Qt for $name"
        # The recipe writes the line to a file; a recipe that fails stops the build here. A
        # toolchain file is used from the cache, where the Qt built with it names it.
        cmake -DZELMORA_QT_DIR="$qt_dir" -DZELMORA_QT_CONFIGURE_FILE="$qt_dir/configure-options" -P "$recipe"
        mapfile -t qt_configure < "$qt_dir/configure-options"
        if [ "$toolchain" = toolchain ]; then
            cp "$recipe" "$qt_dir/toolchain.cmake"
            qt_configure+=(-DCMAKE_TOOLCHAIN_FILE="$qt_dir/toolchain.cmake")
        fi
        mkdir -p "$qt_dir/build"
        (cd "$qt_dir/build" && "$qt_source/configure" "$prefix_option" "$qt_install" "${qt_configure[@]}") \
            > "$qt_dir/configure.log" 2>&1 || { tail -40 "$qt_dir/configure.log"; exit 1; }
        grep -i -A3 "^WARNING\|Emscripten .* toolchain" "$qt_dir/configure.log" | head -20 || true

        step "building Qt for $name (over a thousand steps, tens of minutes on 2 cores)"
        # Ninja's status of the newest step (done/all, seconds), every half minute.
        NINJA_STATUS="[%f/%t %es] " cmake --build "$qt_dir/build" --parallel "${ZELMORA_JOBS:-$(nproc)}" \
            > "$qt_dir/build.log" 2>&1 &
        local builder=$! progress
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
    # The Qt builds of other keys: the one used last before this one is kept, every other
    # one (an unfinished one too) removed.
    local kept= other
    while IFS= read -r other; do
        other=${other%/}
        [ "$other" != "$qt_dir" ] || continue
        if [ -z "$kept" ] && [ -f "$other/install/.complete" ]; then kept=$other; continue; fi
        echo "removing the Qt for $name used before the last two: $other"
        rm -rf "$other"
    done < <(ls -dt "$cache/qt-$kind-"*/ 2> /dev/null)
}
