#!/usr/bin/env bash
# What the tests share for a whole run: one persistent wineserver and the
# small drive T:, and a second server for the prefix PREFIX-932, whose
# programs run in the Japanese code page 932.
# usage: test-environment.sh start|finish|stop PREFIX
# finish (CTest's last step) leaves the server to end by itself shortly after
# the last Wine program, so that parallel CTest runs on one tree do not cut
# each other off; stop ends it at once.
set -uo pipefail
here=$(dirname "$0")
case $1 in
start)
    "$here/wine-server.sh" start "$2"
    "$here/tiny-drive.sh" mount "$2"
    "$here/wine-server.sh" --code-page 932 start "$2-932"
    ;;
finish)
    "$here/tiny-drive.sh" unmount "$2"
    ;;
stop)
    "$here/tiny-drive.sh" unmount "$2"
    "$here/wine-server.sh" stop "$2"
    "$here/wine-server.sh" --code-page 932 stop "$2-932"
    ;;
esac
exit 0
