#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Makes the two Windows packages from one list of files, so that both hold the same files:
# the portable zip (one folder) and the installer (NSIS, packaging/windows/zelmora.nsi).
# Usage: make-packages.sh MANIFEST WORK_DIR FOLDER VERSION VERSION_FULL ZIP SETUP [SIGNING]
#   MANIFEST: one line per file, "source<TAB>name in the package<TAB>binary|text"; text
#   files get Windows line ends, so that every Windows editor shows them as written.
#   FOLDER: the zip's one top folder. The files' times are the commit's
#   (SOURCE_DATE_EPOCH), so that a commit gives the same zip whenever it is built.
#   SIGNING: the build's signing.txt (sign.sh); the installer and its uninstaller are
#   signed when it says ZELMORA_SIGN=ON, and not otherwise (nor without it).
set -euo pipefail
manifest=$1 work=$2 folder=$3 version=$4 version_full=$5 zip_file=$6 setup_file=$7 signing=${8:-}
here=$(cd "$(dirname "$0")" && pwd)
stage=$work/$folder

rm -rf "$work"
mkdir -p "$stage"
names=()
while IFS=$'\t' read -r source name kind; do
    mkdir -p "$(dirname "$stage/$name")"
    if [ "$kind" = text ]; then
        sed 's/\r*$/\r/' "$source" > "$stage/$name"
    else
        cp "$source" "$stage/$name"
    fi
    chmod 644 "$stage/$name"
    names+=("$name")
done < "$manifest"
mapfile -t names < <(printf '%s\n' "${names[@]}" | LC_ALL=C sort)

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || echo 315532800)}
find "$work" -exec touch -h -d "@$epoch" {} +

# The zip: the folder and its files in a fixed order, without the host's owners and
# permissions, times in UTC.
rm -f "$zip_file" "$zip_file.tmp"
(cd "$work" && printf "$folder/%s\n" "${names[@]}" | TZ=UTC zip -X -9 -q -@ "$zip_file.tmp")
mv "$zip_file.tmp" "$zip_file"

# The installer's two lists, from the same names: the files to install, by folder, and
# the files and folders to remove. NSIS writes a '$' as '$$', and Windows paths take '\'.
nsis_text() { local text=${1//\$/\$\$}; printf '%s' "${text//\//\\}"; }
{
    echo '!macro ZelmoraInstallFiles'
    current=/ # no folder's name
    for name in "${names[@]}"; do
        dir=$(dirname "$name")
        [ "$dir" = . ] && dir=
        if [ "$dir" != "$current" ]; then
            echo "    SetOutPath \"\$INSTDIR${dir:+\\$(nsis_text "$dir")}\""
            current=$dir
        fi
        echo "    File \"${stage//\$/\$\$}/${name//\$/\$\$}\""
    done
    echo '!macroend'
    echo '!macro ZelmoraDeleteFiles'
    for name in "${names[@]}"; do
        echo "    Delete \"\$INSTDIR\\$(nsis_text "$name")\""
    done
    # The subfolders, deepest first; each only if empty.
    for name in "${names[@]}"; do
        dir=$(dirname "$name")
        while [ "$dir" != . ]; do echo "$dir"; dir=$(dirname "$dir"); done
    done | LC_ALL=C sort -ru | while read -r dir; do
        echo "    RMDir \"\$INSTDIR\\$(nsis_text "$dir")\""
    done
    echo '!macroend'
} > "$work/files.nsh"

# The installer and its uninstaller signed as makensis writes them (the program was signed
# when it was linked).
sign=()
if [ -n "$signing" ] && grep -qx 'ZELMORA_SIGN=ON' "$signing"; then
    sign=("-DSIGN=bash \"$here/sign.sh\" \"$(realpath "$signing")\"")
else
    echo "Not signed: the build is configured with ZELMORA_SIGN=OFF"
fi
rm -f "$setup_file"
makensis -V2 -INPUTCHARSET UTF8 -NOCD "${sign[@]}" \
    "-DVERSION=$version" "-DVERSION_FULL=$version_full" \
    "-DOUTFILE=$setup_file.tmp" "-DICON=$stage/Zelmora.ico" \
    "-DLICENSE_FILE=$stage/LICENSE.txt" "-DFILES=$work/files.nsh" \
    "$here/zelmora.nsi"
mv "$setup_file.tmp" "$setup_file"
