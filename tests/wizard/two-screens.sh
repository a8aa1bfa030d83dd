#!/usr/bin/env bash
# Runs one test of a test program on two screens of different sizes: an Xvfb
# with Xinerama, in a prefix of its own whose X11 driver reads the monitors
# from Xinerama (Xvfb's RandR tells only the first screen). Xvfb puts both
# screens at the same origin, so the desktop of both is the larger screen and
# the primary monitor the smaller one.
# usage: two-screens.sh PREFIX PROGRAM GTEST_FILTER
set -uo pipefail
export WINEPREFIX=$(realpath -m "$1")
program=$2
filter=$3
. "$(dirname "$0")/../../tools/wine-env.sh"

# A display number no other X server holds.
display=""
for n in $(seq 150 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || { echo "two-screens: no free display number"; exit 1; }
Xvfb "$display" +xinerama -screen 0 1024x768x24 -screen 1 1280x1024x24 -nolisten tcp \
    >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1; kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done

wine_prefix_ensure xvfb
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
wineserver -w
wine "$program" --gtest_filter="$filter" </dev/null | tr -d '\r'
exit "${PIPESTATUS[0]}"
