#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix; CTest's emulator.
# usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# Output lines lose Wine's carriage returns so CTest and GoogleTest read them.
set -uo pipefail
export WINEPREFIX=$(realpath -m "$1")
shift
. "$(dirname "$0")/wine-env.sh"
wine_prefix_ensure null
wine "$@" </dev/null | tr -d '\r'
exit "${PIPESTATUS[0]}"
