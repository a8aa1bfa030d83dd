#!/usr/bin/env bash
# Builds the installer and the sample distribution, then starts
# build/dist/Setup.exe under Wine on this display, in a private prefix of the
# build tree (never ~/.wine). The installed components land in that prefix:
# build/wineprefix-desktop/drive_c/Program Files/Norvane Components.
# usage: tools/run.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")

"$root/tools/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target dist

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display (DISPLAY is not set), so the wizard cannot be shown here." >&2
    echo "run: the installer is built: $build/dist/Setup.exe" >&2
    exit 1
fi

export WINEPREFIX="$build/wineprefix-desktop"
. "$root/tools/wine-env.sh"
wine_prefix_ensure desktop
cd "$build/dist"
exec wine Setup.exe
