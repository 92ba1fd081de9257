#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds the Debian package zelmora_<MAJOR.MINOR>_<arch>.deb (its version the full one,
# 3.0.<build>) in BUILD-FOLDER (default build/package) with the flags Debian builds its own
# packages with (PIE, stack protector, fortified functions, full RELRO with immediate
# binding). Install it with: sudo apt install ./build/package/zelmora_*.deb
# Usage: package.sh [BUILD-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}
bash tools/setup.sh
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake --preset package -B "$build" -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS"
cmake --build "$build" --parallel 2 --target zelmora zelmora_docs
cpack --config "$build/CPackConfig.cmake" -B "$build"
