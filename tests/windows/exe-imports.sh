#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# zelmora.exe runs alone: it is a GUI program whose import table names only DLLs that
# every Windows 10 and 11 has, none of Qt, the C++ runtime or winpthreads.
# Usage: exe-imports.sh ZELMORA_EXE
set -euo pipefail
headers=$(x86_64-w64-mingw32-objdump -p "$1")
grep -q 'Subsystem.*(Windows GUI)' <<< "$headers" || { echo "not a Windows GUI program"; exit 1; }
windows='advapi32|authz|comdlg32|d3d11|d3d12|d3d9|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|mpr|msvcrt|netapi32|ole32|oleaut32|setupapi|shcore|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32|api-ms-win-[a-z0-9-]+'
foreign=$(sed -n 's/^\s*DLL Name: //p' <<< "$headers" | grep -viE "^($windows)\.dll$" || true)
if [ -n "$foreign" ]; then
    echo "zelmora.exe needs DLLs that Windows does not have:"; echo "$foreign"; exit 1
fi
sed -n 's/^\s*DLL Name: //p' <<< "$headers" | tr '\n' ' '; echo
