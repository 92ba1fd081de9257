#!/usr/bin/env bash
# Builds the Debian package build/package/zelmora_<version>_<arch>.deb.
# Install it with: sudo apt install ./build/package/zelmora_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset package
cmake --build --preset package
cpack --preset package
