#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Installs the Debian/Ubuntu packages that building, running and testing Zelmora need,
# where they are missing (with sudo when not run as root). Given package names, installs
# those instead (tools/web.sh: the browser and its driver).
# Usage: setup.sh [PACKAGE...]
set -euo pipefail

packages=(
    g++ make cmake pkg-config
    qt6-base-dev libgl-dev
    libbenchmark-dev
    fonts-dejavu-core fonts-liberation
    desktop-file-utils appstream
    dpkg-dev file lintian man-db
    cmark-gfm python3 ccache
)

((! $#)) || packages=("$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$package")
    fi
done
((${#missing[@]})) || exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
