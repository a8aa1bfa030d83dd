#!/usr/bin/env bash
# Builds the installer and the sample distribution, then starts
# build/dist/Setup.exe under Wine on this display, in a private prefix of the
# build tree (never ~/.wine). The installed components land in that prefix:
# build/wineprefix-desktop/drive_c/Program Files/Norvane Components.
#
# Without a display it walks the wizard headless instead: under Xvfb a driver
# presses through every page as a user would, saves a picture of each page in
# build/walkthrough/ (and refreshes docs/screenshots/), installs the sample
# components into build/wineprefix-xvfb and prints each page and outcome.
# usage: tools/run.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")

"$root/tools/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target dist walkthrough

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display here, so the wizard is walked through headless under Xvfb."
    export WINEPREFIX="$build/wineprefix-xvfb"
    . "$root/tools/wine-env.sh"
    screen=${NVN_XVFB_DISPLAY:-:87}   # another number lets two walkthroughs run at once
    Xvfb $screen -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'wineserver -k >/dev/null 2>&1; kill $xvfb 2>/dev/null' EXIT
    export DISPLAY=$screen
    wine_prefix_ensure xvfb
    out="$build/walkthrough"
    rm -rf "$out"
    mkdir -p "$out"
    status=0
    (cd "$build/dist" && wine "$build/tests/e2e/walkthrough.exe" "$(winepath -w "$build/dist")" \
        "$(winepath -w "$out")" </dev/null | tr -d '\r') || status=$?
    mkdir -p "$root/docs/screenshots"
    for picture in "$out"/*.bmp; do
        [ -e "$picture" ] || continue
        png="$out/$(basename "${picture%.bmp}").png"
        convert "$picture" "$png" && rm -f "$picture"
        cp "$png" "$root/docs/screenshots/"
    done
    echo "run: pictures of every page are in $out"
    exit $status
fi

export WINEPREFIX="$build/wineprefix-desktop"
. "$root/tools/wine-env.sh"
wine_prefix_ensure desktop
cd "$build/dist"
exec wine Setup.exe
