#!/usr/bin/env bash
# Runs every benchmark under Wine and prints one markdown table: each figure
# next to a baseline measured in the same run, the ratio, the goal and whether
# it is met. Not part of tools/test.sh.
# usage: tools/bench.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")

"$root/tools/bootstrap.sh"
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --target bench >/dev/null

prefix="$build/wineprefix"
export WINEPREFIX="$prefix"
. "$root/tools/wine-env.sh"
"$root/tools/wine-server.sh" start "$prefix"
data="$build/bench-data"
# The server ends by itself shortly after the last program.
trap 'rm -rf "$data"' EXIT
rm -rf "$data"
mkdir -p "$data"
winpath() { winepath -w "$1" 2>/dev/null; }
run() { wine "$@" </dev/null | tr -d '\r'; }
median() { sort -g | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }

rows=()

# Size of the installer and the DLLs it imports.
setup="$build/launcher/Setup.exe"
bytes=$(stat -c %s "$setup")
limit=$((512 * 1024))
met=$([ "$bytes" -le "$limit" ] && echo yes || echo NO)
rows+=("| Setup.exe size | $((bytes / 1024)) KiB ($bytes bytes) | 512 KiB | $(awk "BEGIN {printf \"%.3f\", $bytes / $limit}") | at most 1.0 | $met |")
dlls=$(x86_64-w64-mingw32-objdump -p "$setup" | awk '/DLL Name:/ {print $3}' | sort -f | paste -sd' ')
system_only=yes
for dll in $dlls; do
    case ${dll,,} in
    advapi32.dll | comctl32.dll | gdi32.dll | kernel32.dll | msi.dll | msvcrt.dll | ole32.dll | \
        shell32.dll | user32.dll | comdlg32.dll | oleaut32.dll | shlwapi.dll | version.dll) ;;
    *) system_only=NO ;;
    esac
done
rows+=("| Setup.exe imports | $dlls | Windows system DLLs only | - | system DLLs only | $system_only |")

# Start-up to the welcome page against a bare window program.
rows+=("$(run "$build/bench/StartupBench.exe" "$(winpath "$setup")" \
    "$(winpath "$build/bench/BaselineWindow.exe")" 12)")

# Staging a 1 GiB package against cp of the same file on the same disk.
mkdir -p "$data/dist" "$data/cp"
dd if=/dev/urandom of="$data/dist/Large.msi" bs=1M count=1024 status=none
ours=() base=()
for round in 1 2 3 4 5; do
    sync
    start=$(date +%s.%N)
    cp "$data/dist/Large.msi" "$data/cp/Large.msi"
    end=$(date +%s.%N)
    base+=("$(awk "BEGIN {print $end - $start}")")
    rm -f "$data/cp/Large.msi"
    sync
    ours+=("$(run "$build/bench/StagingBench.exe" "$(winpath "$data/dist")" \
        "$(winpath "$data/staged")" Large.msi)")
    rm -rf "$data/staged"
done
o=$(printf '%s\n' "${ours[@]}" | median)
b=$(printf '%s\n' "${base[@]}" | median)
rows+=("$(awk -v o="$o" -v b="$b" 'BEGIN {
    r = b / o; mib = 1073741824 / 1e6
    printf "| Staging a 1 GiB package (throughput, median of 5) | %.0f MB/s | %.0f MB/s (cp) | %.3f | at least 0.9 | %s |",
        mib / o, mib / b, r, (r >= 0.9 ? "yes" : "NO") }')")
rm -rf "$data/dist" "$data/cp"

# Ten packages through the installation run against a bare loop.
rows+=("$(run "$build/bench/InstallBench.exe" "$(winpath "$build/bench/msi")" 7)")

# The progress page's response to other programs during an installation.
while IFS= read -r row; do rows+=("$row"); done \
    < <(run "$build/bench/PageBench.exe" "$(winpath "$build/bench/msi/bulky")")

# Catalogue scale: loading and filling the selection page.
if [ -x "$build/bench/ScaleBench.exe" ]; then
    while IFS= read -r row; do rows+=("$row"); done \
        < <(run "$build/bench/ScaleBench.exe")
fi

echo
echo "Figures, $(date -u '+%Y-%m-%d %H:%M UTC'); $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'); $(wine --version)"
echo
echo "| Figure | Ours | Baseline | Ratio | Goal | Met? |"
echo "| --- | --- | --- | --- | --- | --- |"
printf '%s\n' "${rows[@]}"
