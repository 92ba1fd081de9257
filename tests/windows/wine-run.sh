#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Runs a Windows program under Wine, as CTest does for every Windows test:
#   wine-run.sh PROGRAM.exe [ARGUMENT...]
# The Wine prefix is a throwaway one (WINEPREFIX, default build/windows/wineprefix, made
# anew by tools/windows-build.sh); Wine prints none of its own diagnostics, offers no downloads
# (Mono, Gecko) and writes no launchers into the host's desktop.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$0")/../.." && pwd)/build/windows/wineprefix}
export WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine keeps the host's QT_ variables from a program (they belong to the host's Qt) and
# hands it WINEQT_NAME as QT_NAME instead.
for name in $(compgen -e); do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done
exec /usr/lib/wine/wine64 "$@"
