#!/usr/bin/env bash
# tools/release.sh --dist on a prebuilt distribution holding a package whose
# cabinet lies beside it. Without a certificate the unsigned package is
# refused; with one it is signed, the release holds the cabinet and
# SHA256SUMS checks. A signed package changed afterwards is refused.
# usage: release-dist.sh PREFIX BUILD_DIR
set -euo pipefail
build=$2
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export NVN_RELEASE_PREFIX=$1
pfx=${NVN_SIGN_PFX:-$build/signing/throwaway.pfx}
password=${NVN_SIGN_PASSWORD:-throwaway}
[ -z "${NVN_SIGN_PFX:-}" ] && export NVN_SIGN_CAFILE=$build/signing/throwaway.pem
unset NVN_SIGN_PFX NVN_SIGN_PASSWORD

cp -r "$build/dist" "$work/dist"
cp "$build/tests/verify/packages/Cabinet.msi" "$build/tests/verify/packages/Cabinet.cab" "$work/dist/"
printf '[Extra]\r\nComponentDescription=Norvane Extra\r\nComponentImageIndex=2\r\nVersion=1.0.0\r\nSize=1\r\nMSIFileName=Cabinet.msi\r\nRequired=0\r\nSetupFileSubFolder=0\r\n' \
    >>"$work/dist/Setup.INI"

if "$tools/release.sh" --dist "$work/dist" "$work/out" >"$work/log" 2>&1; then
    echo "release-dist: an unsigned package was released without a certificate"; exit 1
fi
grep -q "unsigned: Cabinet.msi" "$work/log" || { cat "$work/log"; exit 1; }
[ ! -e "$work/out" ] || { echo "release-dist: a refused release left its folder"; exit 1; }

NVN_SIGN_PFX=$pfx NVN_SIGN_PASSWORD=$password \
    "$tools/release.sh" --dist "$work/dist" "$work/out" >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
[ -f "$work/out/Cabinet.cab" ] || { echo "release-dist: the external cabinet was not released"; exit 1; }
(cd "$work/out" && grep -q ' Cabinet.cab$' SHA256SUMS && sha256sum -c --quiet SHA256SUMS)
grep -q '^Result: ready to ship' <(tr -d '\r' <"$work/out/verify-report.txt")
echo "release-dist: released with its cabinet; SHA256SUMS checks"

# One byte of a signed package flipped: its digest no longer matches.
python3 - "$work/dist/NorvaneCore.msi" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[len(data) // 2] ^= 0xFF
open(sys.argv[1], 'wb').write(data)
PY
if "$tools/release.sh" --dist "$work/dist" "$work/out2" --unsigned >"$work/log" 2>&1; then
    echo "release-dist: a package changed after signing was released"; exit 1
fi
grep -q "the signature of NorvaneCore.msi does not verify" "$work/log" || { cat "$work/log"; exit 1; }
echo "release-dist: a package changed after signing is refused"
