#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix; CTest's emulator.
# usage: wine-run.sh [--code-page N] PREFIX PROGRAM [ARGS...]
# Output lines lose Wine's carriage returns so CTest and GoogleTest read them.
# --code-page 932 runs the program, and every program it starts, in the ANSI
# code page of a Japanese system (see wine_code_page in wine-env.sh).
set -uo pipefail
code_page=""
if [ "$1" = --code-page ]; then
    code_page=$2
    shift 2
fi
export WINEPREFIX=$(realpath -m "$1")
shift
. "$(dirname "$0")/wine-env.sh"
if [ -n "$code_page" ]; then
    wine_code_page "$code_page" || exit 1
fi
wine_prefix_ensure null
wine "$@" </dev/null | tr -d '\r'
exit "${PIPESTATUS[0]}"
