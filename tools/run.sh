#!/usr/bin/env bash
# Builds the installer and the sample distribution, then starts Setup.exe
# under Wine on this display, in a private prefix of the build tree (never
# ~/.wine). The installed components land in that prefix:
# build/wineprefix-desktop/drive_c/Program Files/Norvane Components.
#
# --dist DIR runs another distribution folder (Setup.INI and its packages;
# the built Setup.exe, and the sample packages, are used where DIR has none)
# instead of build/dist.
# --dpi N walks the wizard headless at N dots per inch (96 = 100 %, 144 =
# 150 %, ...) and saves the pictures in build/walkthrough-N/ instead.
# --high-contrast walks it headless in the "High Contrast Black" scheme
# (tools/high-contrast-black.reg) and saves the pictures in
# build/walkthrough-high-contrast/.
# --code-page 932 runs it as on a Japanese system (ANSI code page 932), in a
# prefix of its own, and saves the walkthrough's pictures in
# build/walkthrough-932/; samples/ja is a distribution written for it.
#
# Without a display it walks the wizard headless instead: under Xvfb a driver
# presses through every page as a user would, saves a picture of each page in
# build/walkthrough/, installs the distribution's components into
# build/wineprefix-xvfb and prints each page and outcome. It writes nothing
# outside the build tree (tools/refresh-screenshots.sh updates docs/screenshots).
# usage: tools/run.sh [--dist DIR] [--dpi N] [--code-page 932] [--high-contrast] [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: tools/run.sh [--dist DIR] [--dpi N] [--code-page 932] [--high-contrast] [BUILD_DIR]"
dist_arg=""
dpi=""
code_page=""
contrast=""
while [ "${1:-}" = "--dist" ] || [ "${1:-}" = "--dpi" ] || [ "${1:-}" = "--code-page" ] ||
    [ "${1:-}" = "--high-contrast" ]; do
    if [ "$1" = "--high-contrast" ]; then
        contrast=high-contrast
        shift
        continue
    fi
    [ -n "${2:-}" ] || { echo "$usage" >&2; exit 2; }
    if [ "$1" = "--dist" ]; then
        dist_arg=$(realpath -m "$2")
    elif [ "$1" = "--code-page" ]; then
        [ "$2" = 932 ] || { echo "$usage" >&2; exit 2; }
        code_page=$2
    else
        [[ $2 =~ ^[0-9]+$ ]] || { echo "$usage" >&2; exit 2; }
        dpi=$2
    fi
    shift 2
done
build=$(realpath -m "${1:-$root/build}")

"$root/tools/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target dist walkthrough

dist="$build/dist"
if [ -n "$dist_arg" ]; then
    [ -f "$dist_arg/Setup.INI" ] || { echo "run: $dist_arg has no Setup.INI" >&2; exit 2; }
    dist=$dist_arg
    if [ ! -f "$dist/Setup.exe" ]; then
        # The distribution is left as it is: a copy gets the built Setup.exe.
        dist="$build/run-dist"
        rm -rf "$dist"
        cp -r "$dist_arg" "$dist"
        cp "$build/dist/Setup.exe" "$dist/"
        cp -n "$build/dist/"*.msi "$dist/"
    fi
fi

if [ -n "$dpi" ] || [ -n "$contrast" ] || { [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; }; then
    echo "run: no display here, so the wizard is walked through headless under Xvfb."
    # The scheme lives in the prefix's registry: high contrast has its own.
    export WINEPREFIX="$build/wineprefix-xvfb${code_page:+-$code_page}${contrast:+-$contrast}"
    . "$root/tools/wine-env.sh"
    [ -z "$code_page" ] || wine_code_page "$code_page"
    screen=${NVN_XVFB_DISPLAY:-:87}   # another number lets two walkthroughs run at once
    Xvfb $screen -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'wineserver -k >/dev/null 2>&1; kill $xvfb 2>/dev/null' EXIT
    export DISPLAY=$screen
    wine_prefix_ensure xvfb
    # The prefix's DPI, which every Wine program reads when it starts: the
    # one asked for, or 100 %.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${dpi:-96}" /f \
        >/dev/null 2>&1
    if [ -n "$contrast" ]; then
        wine reg import "$(winepath -w "$root/tools/high-contrast-black.reg")" >/dev/null 2>&1
    fi
    out="$build/walkthrough${dpi:+-$dpi}${code_page:+-$code_page}${contrast:+-$contrast}"
    rm -rf "$out"
    mkdir -p "$out"
    status=0
    (cd "$dist" && wine "$build/tests/e2e/walkthrough.exe" "$(winepath -w "$dist")" \
        "$(winepath -w "$out")" </dev/null | tr -d '\r') || status=$?
    for picture in "$out"/*.bmp; do
        [ -e "$picture" ] || continue
        convert "$picture" "$out/$(basename "${picture%.bmp}").png" && rm -f "$picture"
    done
    echo "run: pictures of every page are in $out"
    exit $status
fi

export WINEPREFIX="$build/wineprefix-desktop${code_page:+-$code_page}"
. "$root/tools/wine-env.sh"
[ -z "$code_page" ] || wine_code_page "$code_page"
wine_prefix_ensure desktop
cd "$dist"
exec wine Setup.exe
