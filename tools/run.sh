#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds the program (not its tests and benchmarks) and starts it from the folder that holds its pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target zelmora
exec build/dev/zelmora "$@"
