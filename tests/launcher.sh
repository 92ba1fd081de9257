#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The installed `zelmora` command, called from another folder and through a link, starts
# the program in the folder holding its pictures with every argument unchanged.
# Usage: launcher.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
# In place of the program, one that reports where and with what it was started.
program="$scratch/prefix/libexec/zelmora/zelmora"
printf '#!/bin/sh\npwd\nfor a in "$@"; do printf "[%%s]\\n" "$a"; done\n' > "$program"
ln -s "$scratch/prefix/bin/zelmora" "$scratch/link"
mkdir "$scratch/elsewhere"

for command in "$scratch/prefix/bin/zelmora" "$scratch/link"; do
    got=$(cd "$scratch/elsewhere" && "$command" 'блок питания.zmr' ../d/psu.zmr '' '-x *')
    expected="$scratch/prefix/share/zelmora
[блок питания.zmr]
[../d/psu.zmr]
[]
[-x *]"
    if [ "$got" != "$expected" ]; then
        printf 'started through %s:\n%s\nexpected:\n%s\n' "$command" "$got" "$expected"
        exit 1
    fi
done
test -f "$scratch/prefix/share/zelmora/img/E-core.png"
echo "launcher: 2 passed, 0 failed"
