#!/usr/bin/env bash
# Keeps one wineserver alive for a whole test run, or stops it.
# usage: wine-server.sh [--code-page N] start|stop PREFIX
# Without a persistent server every test process pays Wine's start-up and
# Wine's service processes hold the test runner's output pipe open.
# --code-page: the prefix's programs run in that code page (wine-run.sh).
set -uo pipefail
code_page=""
if [ "$1" = --code-page ]; then
    code_page=$2
    shift 2
fi
action=$1
export WINEPREFIX=$(realpath -m "$2")
. "$(dirname "$0")/wine-env.sh"
if [ -n "$code_page" ]; then
    wine_code_page "$code_page" || exit 1
fi
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
