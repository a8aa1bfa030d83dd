#!/usr/bin/env bash
# Verifies the Authenticode signatures of the sample distribution, then
# proves that a one-byte change to the signed Setup.exe is detected.
# usage: check-signatures.sh BUILD_DIR
set -euo pipefail
build=$1
dist="$build/dist"
# The throwaway certificate is its own root; a real one chains to the
# system's roots.
ca=()
[ -z "${NVN_SIGN_PFX:-}" ] && ca=(-CAfile "$build/signing/throwaway.pem")

for file in "$dist/Setup.exe" "$dist"/*.msi; do
    osslsigncode verify "${ca[@]}" -in "$file" >/dev/null || {
        echo "check-signatures: $file does not verify"; exit 1; }
    echo "check-signatures: $(basename "$file") verifies"
done

tampered=$(mktemp -d)
trap 'rm -rf "$tampered"' EXIT
cp "$dist/Setup.exe" "$tampered/Setup.exe"
# One byte in the middle of the program's code, flipped.
offset=$(( $(stat -c %s "$tampered/Setup.exe") / 2 ))
byte=$(od -An -tu1 -j "$offset" -N1 "$tampered/Setup.exe" | tr -d ' ')
printf "$(printf '\\%03o' $(( byte ^ 0xFF )))" |
    dd of="$tampered/Setup.exe" bs=1 seek="$offset" conv=notrunc status=none
cmp -s "$dist/Setup.exe" "$tampered/Setup.exe" && { echo "check-signatures: byte not changed"; exit 1; }
if osslsigncode verify "${ca[@]}" -in "$tampered/Setup.exe" >/dev/null 2>&1; then
    echo "check-signatures: the changed copy still verifies"
    exit 1
fi
echo "check-signatures: a copy changed in one byte fails to verify"
