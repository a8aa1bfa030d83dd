#!/usr/bin/env bash
# Builds everything and runs every test under Wine, headless, then builds
# Setup.exe a second time in another folder and checks it is the same bytes.
# usage: tools/test.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")

"$root/tools/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build"

# One persistent wineserver for the whole run, stopped however the run ends.
"$root/tools/test-environment.sh" start "$build/wineprefix"
trap '"$root/tools/test-environment.sh" stop "$build/wineprefix"' EXIT
cd "$build"
ctest --output-on-failure -j2 --timeout 300
"$root/tools/reproducible.sh" "$build"
