#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds the .deb (in BUILD-FOLDER, default build/package) and checks it as a distribution
# would: lintian must report no error and no warning (its informational and pedantic
# remarks are shown, not counted); its name must carry MAJOR.MINOR and its version be the
# full one the build states, so that apt upgrades one build with the next.
# Usage: check-package.sh [BUILD-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}
bash tools/package.sh "$build" > /dev/null
define() { sed -n "s/^#define $1 \"\(.*\)\"$/\1/p" "$build/generated/zelmora/version.h"; }
deb=$build/zelmora_$(define ZELMORA_VERSION)_$(dpkg --print-architecture).deb
lintian --fail-on error,warning --display-info --pedantic "$deb"
echo "lintian: no errors, no warnings"
version=$(define ZELMORA_VERSION_FULL)
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || { echo "$deb is not version $version"; exit 1; }
