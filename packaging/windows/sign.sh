#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Signs a Windows program in place (Authenticode, with osslsigncode) when a signing key is
# given through the environment; without one it does nothing and exits 0.
#   ZELMORA_SIGN_PKCS12         a PKCS#12 file holding the key and its certificate chain;
# or, for a key on a hardware token (or SoftHSM):
#   ZELMORA_SIGN_PKCS11_MODULE  the token's PKCS#11 module,
#   ZELMORA_SIGN_PKCS11_KEY     the key's id or PKCS#11 URI on the token,
#   ZELMORA_SIGN_CERT           its certificate chain (PEM);
# and for both:
#   ZELMORA_SIGN_PASSWORD_FILE  a file holding the PKCS#12 password or the token PIN: a
#                               password is never put on a command line, where ps shows it;
#   ZELMORA_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamp server (optional);
#   ZELMORA_SIGN_KEEP_UNSIGNED  a folder to keep each file in as it was before signing
#                               (the tests compare the two).
# Usage: sign.sh FILE.exe
set -euo pipefail
file=$1
[ -n "${ZELMORA_SIGN_PKCS12:-}${ZELMORA_SIGN_PKCS11_MODULE:-}" ] || exit 0

options=(-h sha256 -n Zelmora -i https://zelmora.example.org)
if [ -n "${ZELMORA_SIGN_PKCS12:-}" ]; then
    options+=(-pkcs12 "$ZELMORA_SIGN_PKCS12")
else
    engine=$(find /usr/lib -path '*/engines-*/pkcs11.so' 2>/dev/null | head -1)
    [ -n "$engine" ] || { echo "sign.sh: the PKCS#11 engine is missing (libengine-pkcs11-openssl)" >&2; exit 1; }
    options+=(-pkcs11engine "$engine" -pkcs11module "$ZELMORA_SIGN_PKCS11_MODULE"
              -key "$ZELMORA_SIGN_PKCS11_KEY" -certs "$ZELMORA_SIGN_CERT")
fi
[ -z "${ZELMORA_SIGN_PASSWORD_FILE:-}" ] || options+=(-readpass "$ZELMORA_SIGN_PASSWORD_FILE")
[ -z "${ZELMORA_SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$ZELMORA_SIGN_TIMESTAMP_URL")
[ -z "${ZELMORA_SIGN_KEEP_UNSIGNED:-}" ] || cp "$file" "$ZELMORA_SIGN_KEEP_UNSIGNED/"
rm -f "$file.signed"
osslsigncode sign "${options[@]}" -in "$file" -out "$file.signed" > /dev/null
mv "$file.signed" "$file"
