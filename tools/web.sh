#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds Zelmora for the browser and tests it in one:
#   1. in the Debian 13 root (tools/debian13.sh; needs root, through sudo when not run as
#      root), builds Qt for WebAssembly once into the cache, then Zelmora against it
#      (tools/web-build.sh);
#   2. leaves the site, a folder of static files any web host can serve, in build/web/ and
#      lists its files with their sizes as served (gzip);
#   3. installs Chromium, its driver and Selenium where missing and runs the browser tests
#      on the site, served from 127.0.0.1, keeping their screenshots in build/web-test/.
# Try the site with: python3 -m http.server -d build/web  (then open http://localhost:8000)
set -euo pipefail
cd "$(dirname "$0")/.."
cache=${ZELMORA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zelmora}

bash tools/setup.sh chromium chromium-driver python3-selenium

# Each clone builds in a folder of its own in the cache (every clone is /src in the root).
clone=$(realpath . | sha256sum | cut -c1-12)
ZELMORA_CACHE=$cache bash tools/debian13.sh env ZELMORA_CLONE="$clone" ZELMORA_JOBS="${ZELMORA_JOBS:-}" \
    bash tools/web-build.sh

printf '\n== the site, in build/web/\n'
rm -rf build/web
mkdir -p build
cp -r "$cache/debian13.cache/web/site-$clone" build/web
(cd build/web && find . -type f | sort | while read -r file; do
    printf '%10d %10d  %s\n' "$(stat -c %s "$file")" "$(gzip -6c "$file" | wc -c)" "${file#./}"
done | awk '{ print; raw += $1; gz += $2 } END { printf "%10d %10d  in all (bytes: raw, gzip -6)\n", raw, gz }')

printf '\n== the browser tests\n'
# Debian's python3 (the one with python3-selenium), whatever python3 comes first on PATH.
/usr/bin/python3 tests/web/smoke.py build/web build/web-test
/usr/bin/python3 tests/web/parity.py build/web docs/guide.ru.md build/web-test
