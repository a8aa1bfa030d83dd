#!/usr/bin/env bash
# The whole fault and bad-input suite in one go: 10,000 generated
# configuration files in one process and 300 in processes of their own, the
# hostile names, long paths and faults through the real service, and the
# hostile Setup.exe run. Ends with the summary line of the counts. (The test
# run, tools/test.sh, runs the same programs with a smaller share of files.)
# usage: tools/faults.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")

"$root/tools/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target faults_tests faults_service_tests faults_setup_tests

prefix="$build/wineprefix"
"$root/tools/test-environment.sh" start "$prefix"
# Like the last step of a test run: the drive goes, the server ends by itself
# shortly after, so that a test run of the same tree is not cut off.
trap '"$root/tools/test-environment.sh" finish "$prefix"' EXIT
export WINEPREFIX="$prefix"
. "$root/tools/wine-env.sh"

export NVN_FAULT_INI_FILES=${NVN_FAULT_INI_FILES:-10000}
export NVN_FAULT_CHILD_FILES=${NVN_FAULT_CHILD_FILES:-300}
status=0
summaries=()
for program in faults_tests faults_service_tests faults_setup_tests; do
    log=$(mktemp)
    (cd "$build/tests/faults" && wine "./$program.exe" </dev/null | tr -d '\r') | tee "$log" |
        grep -E '^\[( +OK|  FAILED|  SKIPPED) |^ini fuzz|^faults summary|Failure' || true
    grep -q '^\[  PASSED  \]' "$log" && ! grep -q '^\[  FAILED  \]' "$log" || status=1
    summaries+=("$(grep '^faults summary' "$log" || echo 'faults summary: 0 0 0 0 0 (no summary)')")
    rm -f "$log"
done

# The counts of all three programs together.
printf '%s\n' "${summaries[@]}" | awk '
    { for (i = 1; i <= NF; ++i) if ($i ~ /^[0-9]+$/) n[++k] = $i
      cases += n[1]; crashes += n[2]; overflows += n[3]; outside += n[4]; shown += n[5]; k = 0 }
    END { printf "faults total: %d cases tried, %d crashes, %d overflows, %d writes outside, " \
                 "%d failures shown as success\n", cases, crashes, overflows, outside, shown }'
exit $status
