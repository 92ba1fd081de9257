#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The metainfo validates with no remark at all, pedantic ones included, in the form
# AppStream 1.0 wants (<developer id><name>). AppStream before 1.0 (Debian 12's 0.16) does
# not know that tag yet and says so in one informational line: that line alone is let go.
# Usage: metainfo.sh METAINFO_FILE
set -euo pipefail
report=$(appstreamcli validate --pedantic --no-net "$1" 2>&1) || { echo "$report"; exit 1; }
version=$(appstreamcli --version | sed -n 's/^AppStream version: //p')
remarks=$(grep -E '^[IWEP]: ' <<< "$report" || true)
if [ "$(printf '%s\n' "$version" 1.0 | sort -V | head -1)" != 1.0 ]; then
    remarks=$(grep -v ': unknown-tag developer$' <<< "$remarks" || true)
fi
[ -z "$remarks" ] || { echo "AppStream $version:"; echo "$remarks"; exit 1; }
echo "AppStream $version: valid, no remarks"
