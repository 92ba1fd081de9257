#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds the .deb and checks it as a distribution would: lintian must report no error and
# no warning (its informational and pedantic remarks are shown, not counted), and its
# version must be the one the build states.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/package.sh >/dev/null
lintian --fail-on error,warning --display-info --pedantic build/package/zelmora_*.deb
echo "lintian: no errors, no warnings"
version=$(sed -n 's/^#define ZELMORA_VERSION "\(.*\)"$/\1/p' build/package/generated/zelmora/version.h)
[ "$(dpkg-deb -f build/package/zelmora_*.deb Version)" = "$version" ] || { echo "the .deb is not version $version"; exit 1; }
