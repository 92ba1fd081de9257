#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds the Debian package build/package/zelmora_<version>_<arch>.deb with the flags
# Debian builds its own packages with (PIE, stack protector, fortified functions, full
# RELRO with immediate binding). Install it with: sudo apt install ./build/package/zelmora_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake --preset package -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS"
cmake --build --preset package
cpack --preset package
