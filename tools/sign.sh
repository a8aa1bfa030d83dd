#!/usr/bin/env bash
# Signs Windows programs and installer packages in place with Authenticode,
# SHA-256 digest, through osslsigncode.
#
# A real certificate comes from the environment:
#   NVN_SIGN_PFX            the PKCS#12 (.pfx) file holding certificate and key
#   NVN_SIGN_PASSWORD       its password
#   NVN_SIGN_TIMESTAMP_URL  optional: a timestamp server to countersign with
# Without NVN_SIGN_PFX a throwaway self-signed certificate is made once in
# CERT_DIR (throwaway.pfx, and throwaway.pem to verify against) and used, so
# the signing step runs on every build. No network service is contacted
# unless NVN_SIGN_TIMESTAMP_URL is set.
# usage: tools/sign.sh CERT_DIR FILE...
set -euo pipefail
certs=$(realpath -m "$1")
shift

if [ -n "${NVN_SIGN_PFX:-}" ]; then
    pfx=$NVN_SIGN_PFX
    password=${NVN_SIGN_PASSWORD:-}
else
    pfx="$certs/throwaway.pfx"
    password=throwaway
    mkdir -p "$certs"
    (
        flock 9
        if [ ! -f "$pfx" ]; then
            openssl req -x509 -newkey rsa:2048 -sha256 -nodes -days 3650 \
                -subj "/CN=Norvane Test Signing (throwaway)/O=Norvane" \
                -addext "keyUsage=critical,digitalSignature" \
                -addext "extendedKeyUsage=codeSigning" \
                -keyout "$certs/throwaway.key" -out "$certs/throwaway.pem" 2>/dev/null
            openssl pkcs12 -export -inkey "$certs/throwaway.key" -in "$certs/throwaway.pem" \
                -passout "pass:$password" -out "$pfx.tmp"
            mv "$pfx.tmp" "$pfx"
        fi
    ) 9>"$certs.lock"
fi

timestamp=()
[ -n "${NVN_SIGN_TIMESTAMP_URL:-}" ] && timestamp=(-ts "$NVN_SIGN_TIMESTAMP_URL")
for file in "$@"; do
    osslsigncode sign -pkcs12 "$pfx" -pass "$password" -h sha256 \
        -n "Norvane Component Installer" "${timestamp[@]}" \
        -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
done
