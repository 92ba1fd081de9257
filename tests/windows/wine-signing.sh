#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# A second build of the packaging, unsigned, then signed with a throwaway key: every program
# verifies against the throwaway root. Usage: wine-signing.sh SOURCE_DIR WINE_RUN CMAKE_OPTION...
set -euo pipefail
source=$1 wine=$2 work=$(mktemp -d) && shift 2 && cd "$work" && echo "throwaway-$RANDOM" > password
export WINEPREFIX=$work/prefix HOME=$work && trap '/usr/lib/wine/wineserver -k 2> /dev/null || true; rm -rf "$work"' EXIT
certificate() { openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.pem" -subj "/CN=$1" "${@:2}" 2> /dev/null; }
certificate root && certificate signer -CA root.pem -CAkey root.key -addext extendedKeyUsage=codeSigning -addext basicConstraints=CA:FALSE
configure() { (cd "$source" && cmake --preset windows -B "$work/build" "$@") > log 2>&1; }
refused() { ! configure "${@:2}" && grep -qF "$1" log || { echo "FAIL: configured, or not for \"$1\": $(cat log)"; exit 1; }; }
build() { configure "$@" && cmake --build build --target zelmora_packages > log 2>&1 || { tail -40 log; exit 1; }; }
build "$@" -DZELMORA_SIGN=OFF && openssl pkcs12 -export -inkey signer.key -in signer.pem -passout file:password -out signer.p12
build -DZELMORA_SIGN=ON -DZELMORA_SIGN_PKCS12="$work/signer.p12" -DZELMORA_SIGN_PASSWORD_FILE="$work/password" \
    -DZELMORA_SIGN_CA="$work/root.pem" # signs what it built unsigned, without a clean build
("$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f && "$wine" build/zelmora-*-setup.exe /S '/D=C:\signed') > /dev/null 2>&1
unzip -p build/zelmora-*-win64.zip '*/zelmora.exe' > zipped.exe
for program in build/zelmora.exe zipped.exe build/zelmora-*-setup.exe prefix/drive_c/signed/uninstall.exe; do
    osslsigncode verify -CAfile root.pem -in "$program" > log 2>&1 && echo "verified: $program" || { cat log; exit 1; }; done
refused "no key given" -DZELMORA_SIGN_PKCS12= && refused "holds a PIN (pin-value=)" "-DZELMORA_SIGN_PKCS11_KEY=pkcs11:pin-value=1"
