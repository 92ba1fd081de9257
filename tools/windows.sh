#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Builds Zelmora for 64-bit Windows and runs its whole test suite under Wine, all of it in
# the Debian 13 root of tools/debian13.sh (which makes the root once into the cache,
# ZELMORA_CACHE, default ~/.cache/zelmora), with Debian 13's MinGW-w64 and Wine:
# tools/windows-build.sh, run there, cross-builds a static Qt from Debian 13's qt6-base
# source once into the root's cache, then the program, its tests, the installer and the
# zip (signed when ZELMORA_SIGN=ON, see packaging/windows/sign.sh), and runs the tests
# under Wine (the installer's among them). This script then leaves in build/windows/
# zelmora.exe, the installer, the zip and SHA256SUMS. Needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

step() { printf '\n== %s\n' "$*"; current_step=$*; }
current_step="start"

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
cache=${ZELMORA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zelmora}
kept=$cache/debian13.cache # the root's /var/zelmora-cache

# The root sees only the clone (/src) and its cache: the settings pass on by name, and the
# files a signing key needs are copied for the run into a folder of the cache that only
# root may read, removed when the run ends.
# Each clone builds in a folder of its own in the cache (every clone is /src in the root).
clone=$(realpath . | sha256sum | cut -c1-12)
settings=(ZELMORA_CLONE="$clone" ZELMORA_JOBS="${ZELMORA_JOBS:-}" ZELMORA_SIGN="${ZELMORA_SIGN:-OFF}")
# The packages' file times: the commit's, which git (not in the root) tells here, also to
# root in a clone of another user's.
epoch=${SOURCE_DATE_EPOCH:-$(git -c safe.directory="$top" log -1 --format=%ct 2> /dev/null || true)}
[ -z "$epoch" ] || settings+=(SOURCE_DATE_EPOCH="$epoch")
[[ ${ZELMORA_SIGN_PKCS11_KEY:-} != *pin-value=* ]] || { echo "tools/windows.sh: ZELMORA_SIGN_PKCS11_KEY holds" \
    "a PIN (pin-value=), which would show on command lines: put it in ZELMORA_SIGN_PASSWORD_FILE's file" >&2; exit 1; }
# The run's process id names the folder of its signing files: the folders of runs that were
# killed outright (no time to clean up) are removed by the next run.
for old in "$kept"/signing.*; do
    [ -d "$old" ] || continue
    pid=${old##*/signing.}
    ps -p "${pid%%.*}" > /dev/null || "${sudo[@]}" rm -rf "$old"
done
keys=
cleanup() { [ -z "$keys" ] || "${sudo[@]}" rm -rf "$keys"; }
trap 'status=$?; cleanup; ((status)) && echo "tools/windows.sh: failed at step: $current_step (exit $status)" >&2' EXIT
for setting in PKCS12 PKCS11_MODULE PKCS11_KEY CERT PASSWORD_FILE TIMESTAMP_URL CA; do
    setting=ZELMORA_SIGN_$setting
    value=${!setting:-}
    case $setting in
    *_PKCS12 | *_CERT | *_PASSWORD_FILE | *_CA)
        if [ -n "$value" ]; then
            [ -r "$value" ] || { echo "tools/windows.sh: $setting: cannot read $value" >&2; exit 1; }
            if [ -z "$keys" ]; then
                "${sudo[@]}" mkdir -p "$kept"
                keys=$("${sudo[@]}" mktemp -d "$kept/signing.$$.XXXXXX")
            fi
            "${sudo[@]}" install -m 600 "$value" "$keys/${setting#ZELMORA_SIGN_}"
            value=/var/zelmora-cache/${keys##*/}/${setting#ZELMORA_SIGN_}
        fi ;;
    esac
    settings+=("$setting=$value")
done

step "building Qt, Zelmora, the installer and the zip and running the tests, in the Debian 13 root"
bash tools/debian13.sh env "${settings[@]}" bash tools/windows-build.sh

step "copying zelmora.exe, the installer, the zip and SHA256SUMS into build/windows/"
# As the clone's owner, as the rest of the clone; the ones of an earlier run go first.
owner=$(stat -c %U "$top")
as_owner=()
[ "$owner" = "$(id -un)" ] || as_owner=("${sudo[@]}" runuser -u "$owner" --)
built=$kept/windows/build-$clone
"${as_owner[@]}" mkdir -p build/windows
"${as_owner[@]}" rm -f build/windows/zelmora.exe build/windows/zelmora-*-win64* build/windows/SHA256SUMS
# The files SHA256SUMS names (this version's), and SHA256SUMS.
for name in $("${sudo[@]}" cut -d' ' -f3- "$built/SHA256SUMS" | tr -d '*') SHA256SUMS; do
    "${sudo[@]}" cat "$built/$name" | "${as_owner[@]}" tee "build/windows/$name" > /dev/null
done

step "done"
ls -l build/windows/zelmora.exe build/windows/zelmora-*-win64* build/windows/SHA256SUMS
