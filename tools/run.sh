#!/usr/bin/env bash
# Builds Zelmora and starts it from the folder that holds its pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
exec build/dev/zelmora "$@"
