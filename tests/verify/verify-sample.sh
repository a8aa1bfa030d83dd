#!/usr/bin/env bash
# Runs Setup.exe /verify on the build's sample distribution: it must pass
# with no error and no warning.
# usage: verify-sample.sh PREFIX BUILD_DIR
set -uo pipefail
tools=$(dirname "$0")/../../tools
report="$2/verify-sample.txt"
rm -f "$report"
"$tools/wine-run.sh" "$1" "$2/dist/Setup.exe" /verify /log "Z:$report"
code=$?
tr -d '\r' <"$report"
[ "$code" -eq 0 ] || { echo "verify-sample: exit code $code"; exit 1; }
grep -q '^Errors: 0, warnings: 0$' <(tr -d '\r' <"$report")
