#!/usr/bin/env bash
# Keeps one wineserver alive for a whole test run, or stops it.
# usage: wine-server.sh start|stop PREFIX
# Without a persistent server every test process pays Wine's start-up and
# Wine's service processes hold the test runner's output pipe open.
set -uo pipefail
action=$1
export WINEPREFIX=$(realpath -m "$2")
. "$(dirname "$0")/wine-env.sh"
case $action in
start)
    wine_prefix_ensure null
    # Detached from the caller's output so no pipe is held open. It stays up
    # until stopped, or 30 s after the last Wine program has ended.
    setsid wineserver -p30 </dev/null >/dev/null 2>&1 &
    # Start Wine's own services now, once, rather than in the first test.
    wine cmd /c exit </dev/null >/dev/null 2>&1
    ;;
stop)
    wineserver -k >/dev/null 2>&1 || true
    ;;
esac
exit 0
