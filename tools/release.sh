#!/usr/bin/env bash
# Assembles a release of the sample distribution in BUILD_DIR/release:
# the signed Setup.exe, Setup.INI, the signed packages, the report of
# Setup.exe /verify (verify-report.txt) and SHA256SUMS over all of them.
# Refuses to finish, and leaves no release folder, when the check reports an
# error. Signing uses the certificate named by NVN_SIGN_PFX and
# NVN_SIGN_PASSWORD (NVN_SIGN_TIMESTAMP_URL optional); without them a
# throwaway certificate, which is only good for testing.
# usage: tools/release.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")

"$root/tools/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target dist

release="$build/release"
work=$release
rm -rf "$release"
mkdir -p "$work"
cp "$build/dist/Setup.exe" "$build/dist/Setup.INI" "$build"/dist/*.msi "$work/"

# The check runs on the folder as it ships.
status=0
"$root/tools/wine-run.sh" "$build/wineprefix" "$work/Setup.exe" /verify \
    /log "Z:$work/verify-report.txt" || status=$?
tr -d '\r' <"$work/verify-report.txt" 2>/dev/null || true
if [ "$status" -ne 0 ]; then
    mv "$work/verify-report.txt" "$build/release-rejected.txt" 2>/dev/null || true
    rm -rf "$work"
    echo "release: Setup.exe /verify reported errors (exit $status); no release was made." >&2
    echo "release: the report is in $build/release-rejected.txt" >&2
    exit 1
fi
(cd "$work" && sha256sum -- * >SHA256SUMS)
echo "release: $release"
cat "$release/SHA256SUMS"
