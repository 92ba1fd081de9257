#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# tools/debian13.sh never touches the host: SIGTERM ends it at once; SIGKILL while its command
# runs in the root leaves no mount and no process; a new root over a folder bound under an old
# one is refused, naming the mount, and the folder's files survive. On a tiny root of this
# system's bash, in a namespace and tmpfs of its own; needs root. Usage: debian13.sh SOURCE-FOLDER
set -euo pipefail
[ "$(id -u)" = 0 ] || exit 77
[ "${OWN_NAMESPACE-}" = 1 ] || exec env OWN_NAMESPACE=1 unshare --mount --propagation private bash "$0" "$@"
cache=$(mktemp -d) && mount -t tmpfs tmpfs "$cache"
trap 'umount --recursive --lazy "$cache"; rmdir "$cache"' EXIT
export ZELMORA_CACHE=$cache PATH=$cache/stub:$PATH # no real mmdebstrap ever runs
install -D /bin/false "$cache/stub/mmdebstrap" && root=$(bash "$1/tools/debian13.sh" --print-root)
for file in $(command -v bash env sleep) $(ldd $(command -v bash env sleep) | grep -o '/[^ :]*'); do install -D "$file" "$root$file"; done
mkdir "$root/proc" "$root/dev" "$root/tmp" && touch "$root/.complete"
bash "$1/tools/debian13.sh" bash -c 'echo running; exec sleep 600' > "$cache/out-term" &
until grep -q running "$cache/out-term"; do sleep 0.1; done
kill -TERM $! && timeout 5 tail --pid=$! -f /dev/null || { echo "SIGTERM did not end the run"; exit 1; }
bash "$1/tools/debian13.sh" bash -c 'echo running; exec sleep 600' > "$cache/out" &
until grep -q running "$cache/out"; do sleep 0.1; done
kill -KILL $!
# Its mounts are in its own namespace, unseen by findmnt: only /proc/*/root shows one alive.
for ((i = 0; i < 20; i++)); do
    left=$(findmnt --list --noheadings --output TARGET | grep -F "$root" || true)
    left+=$(find /proc/[0-9]*/root -maxdepth 0 -lname "$root*" -printf ' %p' 2> /dev/null || true)
    [ -z "$left" ] && break || sleep 0.25
done
[ -z "$left" ] || { echo "left after SIGKILL: $left"; exit 1; }
mkdir -p "$cache/debian13-old/kept" "$cache/bound" && touch "$cache/bound/file"
mount --bind "$cache/bound" "$cache/debian13-old/kept" && rm "$root/.complete"
! bash "$1/tools/debian13.sh" true 2> "$cache/err" || { echo "a new root was made over a mount"; exit 1; }
grep "debian13-old/kept is mounted" "$cache/err" && [ -f "$cache/bound/file" ]
