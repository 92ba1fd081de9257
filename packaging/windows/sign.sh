#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Signs Windows programs in place (Authenticode, with osslsigncode) and checks each
# signature against the signer's CA; a build configured with ZELMORA_SIGN=ON runs it with
# the settings file it wrote (signing.txt in the build folder), lines NAME=value of:
#   ZELMORA_SIGN_PKCS12         a PKCS#12 file holding the key and its certificate chain;
# or, for a key on a hardware token (or SoftHSM):
#   ZELMORA_SIGN_PKCS11_MODULE  the token's PKCS#11 module,
#   ZELMORA_SIGN_PKCS11_KEY     the key's id or PKCS#11 URI on the token (no pin-value),
#   ZELMORA_SIGN_CERT           its certificate chain (PEM), the signer's first;
# and for both:
#   ZELMORA_SIGN_PASSWORD_FILE  a file holding the PKCS#12 password or the token PIN: a
#                               password is never put on a command line, where ps shows it;
#   ZELMORA_SIGN_CA             the root certificates (PEM) the signatures must verify against;
#   ZELMORA_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamp server (optional).
# Usage: sign.sh SETTINGS FILE.exe...      signs and verifies each
#        sign.sh SETTINGS --verify FILE... verifies each
#        sign.sh SETTINGS --identity       checks that the key is readable and is the
#                                          certificate's; prints its SHA-256 fingerprint
set -euo pipefail
settings=$1
shift
fail() { echo "sign.sh: $*" >&2; exit 1; }
unset "${!ZELMORA_SIGN@}" # the settings file's only, never the environment's
while IFS= read -r line; do
    name=${line%%=*}
    if [[ $name =~ ^ZELMORA_SIGN(_[A-Z0-9_]+)?$ ]]; then printf -v "$name" '%s' "${line#*=}"; fi
done < "$settings"
for name in ZELMORA_SIGN_PKCS12 ZELMORA_SIGN_PKCS11_MODULE ZELMORA_SIGN_PKCS11_KEY ZELMORA_SIGN_CERT \
            ZELMORA_SIGN_PASSWORD_FILE ZELMORA_SIGN_CA ZELMORA_SIGN_TIMESTAMP_URL; do
    printf -v "$name" '%s' "${!name:-}"
done
[ "${ZELMORA_SIGN:-}" = ON ] || fail "$settings: signing is off (ZELMORA_SIGN)"
[[ $ZELMORA_SIGN_PKCS11_KEY != *pin-value=* ]] \
    || fail "ZELMORA_SIGN_PKCS11_KEY holds a PIN (pin-value=), which would show on command lines: put the PIN in ZELMORA_SIGN_PASSWORD_FILE"
readable() { [ -f "$2" ] && [ -r "$2" ] || fail "$1 is not a readable file: '$2'"; }
[ -z "$ZELMORA_SIGN_PASSWORD_FILE" ] || readable ZELMORA_SIGN_PASSWORD_FILE "$ZELMORA_SIGN_PASSWORD_FILE"
password=pass:
[ -z "$ZELMORA_SIGN_PASSWORD_FILE" ] || password=file:$ZELMORA_SIGN_PASSWORD_FILE

options=(-h sha256 -n Zelmora -i https://zelmora.example.org)
if [ -n "$ZELMORA_SIGN_PKCS12" ] && [ -n "$ZELMORA_SIGN_PKCS11_MODULE$ZELMORA_SIGN_PKCS11_KEY" ]; then
    fail "two keys given: ZELMORA_SIGN_PKCS12 and ZELMORA_SIGN_PKCS11_*; give one"
elif [ -n "$ZELMORA_SIGN_PKCS12" ]; then
    readable ZELMORA_SIGN_PKCS12 "$ZELMORA_SIGN_PKCS12"
    options+=(-pkcs12 "$ZELMORA_SIGN_PKCS12")
elif [ -n "$ZELMORA_SIGN_PKCS11_MODULE$ZELMORA_SIGN_PKCS11_KEY" ]; then
    readable ZELMORA_SIGN_PKCS11_MODULE "$ZELMORA_SIGN_PKCS11_MODULE"
    readable ZELMORA_SIGN_CERT "$ZELMORA_SIGN_CERT"
    [ -n "$ZELMORA_SIGN_PKCS11_KEY" ] || fail "ZELMORA_SIGN_PKCS11_KEY, the key on the token, is not given"
    engine=$(find /usr/lib -path '*/engines-*/pkcs11.so' 2>/dev/null | head -1)
    [ -n "$engine" ] || fail "the PKCS#11 engine is missing (libengine-pkcs11-openssl)"
    options+=(-pkcs11engine "$engine" -pkcs11module "$ZELMORA_SIGN_PKCS11_MODULE"
              -key "$ZELMORA_SIGN_PKCS11_KEY" -certs "$ZELMORA_SIGN_CERT")
else
    fail "no key given: ZELMORA_SIGN_PKCS12, or ZELMORA_SIGN_PKCS11_MODULE, ZELMORA_SIGN_PKCS11_KEY and ZELMORA_SIGN_CERT"
fi
readable ZELMORA_SIGN_CA "$ZELMORA_SIGN_CA"
[ -z "$ZELMORA_SIGN_PASSWORD_FILE" ] || options+=(-readpass "$ZELMORA_SIGN_PASSWORD_FILE")
[ -z "$ZELMORA_SIGN_TIMESTAMP_URL" ] || options+=(-ts "$ZELMORA_SIGN_TIMESTAMP_URL")

verify() {
    local file log
    for file; do
        log=$(osslsigncode verify -CAfile "$ZELMORA_SIGN_CA" -in "$file" 2>&1) \
            || fail "$file: no signature that verifies against $ZELMORA_SIGN_CA:"$'\n'"$log"
        echo "$file: signature verified"
    done
}

if [ "${1:-}" = --identity ]; then
    # The signer's certificate and the public half of the key, read as osslsigncode will.
    if [ -n "$ZELMORA_SIGN_PKCS12" ]; then
        pkcs12() { openssl pkcs12 -in "$ZELMORA_SIGN_PKCS12" -passin "$password" "$@" 2>/dev/null \
                   || openssl pkcs12 -legacy -in "$ZELMORA_SIGN_PKCS12" -passin "$password" "$@"; }
        certificate=$(pkcs12 -nokeys -clcerts) || fail "cannot read ZELMORA_SIGN_PKCS12 (the password?)"
        public=$(pkcs12 -nocerts -nodes | openssl pkey -pubout) || fail "no key in ZELMORA_SIGN_PKCS12"
    else
        certificate=$(openssl x509 -in "$ZELMORA_SIGN_CERT") || fail "no certificate in ZELMORA_SIGN_CERT"
        public=$(PKCS11_MODULE_PATH=$ZELMORA_SIGN_PKCS11_MODULE openssl pkey -engine pkcs11 -inform engine \
                 -in "$ZELMORA_SIGN_PKCS11_KEY" -passin "$password" -pubout 2>&1) \
            || fail "cannot read the key $ZELMORA_SIGN_PKCS11_KEY on the token (the PIN?): $public"
        public=$(sed -n '/BEGIN PUBLIC KEY/,/END PUBLIC KEY/p' <<< "$public")
    fi
    [ "$public" = "$(openssl x509 -noout -pubkey <<< "$certificate")" ] \
        || fail "the key is not the one of the signer's certificate"
    openssl x509 -noout -fingerprint -sha256 <<< "$certificate" | sed 's/.*=//'
elif [ "${1:-}" = --verify ]; then
    shift
    verify "$@"
else
    for file; do
        rm -f "$file.signed"
        osslsigncode sign "${options[@]}" -in "$file" -out "$file.signed" > /dev/null
        verify "$file.signed" > /dev/null
        mv "$file.signed" "$file"
    done
fi
