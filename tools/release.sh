#!/usr/bin/env bash
# Assembles a release folder: Setup.exe, Setup.INI, every package Setup.INI
# names and every external cabinet those packages use, the report of
# Setup.exe /verify (verify-report.txt) and SHA256SUMS over all of them.
#
#   tools/release.sh [--unsigned] [BUILD_DIR]
#       builds the sample distribution (BUILD_DIR/dist) and releases it into
#       BUILD_DIR/release.
#   tools/release.sh --dist DIR [--unsigned] [OUT]
#       releases the prebuilt distribution folder DIR as it is, without
#       configuring or building anything, into OUT (default build/release).
#
# Signatures: a file already signed must verify (its digest, and its chain
# when NVN_SIGN_CAFILE names the root to trust; the sample's throwaway root is
# taken by default). Unsigned files are signed with the certificate named by
# NVN_SIGN_PFX and NVN_SIGN_PASSWORD (see tools/sign.sh); without one the
# release is refused, unless --unsigned says an unsigned release is meant.
#
# /verify runs under Wine in build/wineprefix-release, or in the prefix
# NVN_RELEASE_PREFIX names.
#
# Refuses, and leaves no release folder, when a file is missing, a signature
# does not verify or Setup.exe /verify reports an error; the report is then
# left in OUT-rejected.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

dist=""
unsigned=0
args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --dist) dist=$(realpath -m "${2:?--dist needs a folder}"); shift 2 ;;
        --unsigned) unsigned=1; shift ;;
        *) args+=("$1"); shift ;;
    esac
done

fail() { echo "release: $*" >&2; exit 1; }

if [ -z "$dist" ]; then
    build=$(realpath -m "${args[0]:-$root/build}")
    "$root/tools/bootstrap.sh"
    cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$build" --target dist
    dist="$build/dist"
    out="$build/release"
    [ -z "${NVN_SIGN_PFX:-}" ] && : "${NVN_SIGN_CAFILE:=$build/signing/throwaway.pem}"
else
    [ -d "$dist" ] || fail "$dist is no folder"
    out=$(realpath -m "${args[0]:-$root/build/release}")
fi
prefix=${NVN_RELEASE_PREFIX:-$root/build/wineprefix-release}
rejected="$out-rejected.txt"
for file in Setup.exe Setup.INI; do
    [ -f "$dist/$file" ] || fail "$dist holds no $file"
done

# MSIFileName of every section, the first one where a section repeats it, as
# the profile functions read it: names and values without the blanks around
# them, names in any case, one pair of quotation marks dropped.
packages() {
    tr -d '\r' <"$dist/Setup.INI" | awk '
        /^[ \t]*\[/ { seen = 0; next }
        /^[ \t]*;/ { next }
        {
            eq = index($0, "=")
            if (eq == 0 || seen) next
            name = substr($0, 1, eq - 1); gsub(/^[ \t]+|[ \t]+$/, "", name)
            if (tolower(name) != "msifilename") next
            value = substr($0, eq + 1); gsub(/^[ \t]+|[ \t]+$/, "", value)
            if (value ~ /^".*"$/ || value ~ /^\x27.*\x27$/) value = substr(value, 2, length(value) - 2)
            seen = 1
            if (value != "") print value
        }'
}

# The cabinets a package keeps outside itself: the Media table's Cabinet
# column, without the embedded ones ("#name").
cabinets() {
    msiinfo export "$1" Media 2>/dev/null | tr -d '\r' | awk -F'\t' 'NR > 3 && $4 != "" && $4 !~ /^#/ { print $4 }'
}

rm -rf "$out" "$rejected"
mkdir -p "$out"
trap 'rm -rf "$out"' ERR
shipped=(Setup.exe Setup.INI)
cp -- "$dist/Setup.exe" "$dist/Setup.INI" "$out/"
while IFS= read -r package; do
    # Names are taken as written: a folder part goes along, and /verify
    # reports it. Names that lead out of the folder are not copied.
    package=${package//\\//}
    case "/$package/" in */../*|//*) continue ;; esac
    [ -f "$dist/$package" ] || continue # /verify reports it missing
    mkdir -p "$out/$(dirname "$package")"
    cp -- "$dist/$package" "$out/$package"
    shipped+=("$package")
    while IFS= read -r cabinet; do
        case "$cabinet" in */*|*\\*|..) continue ;; esac
        folder=$(dirname "$package")
        [ -f "$dist/$folder/$cabinet" ] || continue # /verify reports it missing
        cp -- "$dist/$folder/$cabinet" "$out/$folder/$cabinet"
        shipped+=("$folder/$cabinet")
    done < <(cabinets "$dist/$package")
done < <(packages)

# Signatures: Setup.exe and the packages (Windows Installer does not look at
# a cabinet's own signature).
ca=()
[ -n "${NVN_SIGN_CAFILE:-}" ] && ca=(-CAfile "$NVN_SIGN_CAFILE")
unsigned_files=()
sig=$(mktemp -u)
trap 'rm -f "$sig"' EXIT
for file in "${shipped[@]}"; do
    case "$file" in *.exe|*.msi|*.EXE|*.MSI) ;; *) continue ;; esac
    rm -f "$sig"
    if ! osslsigncode extract-signature -in "$out/$file" -out "$sig" >/dev/null 2>&1; then
        unsigned_files+=("$file")
        continue
    fi
    result=$(osslsigncode verify "${ca[@]}" -in "$out/$file" 2>&1) && continue
    if grep -q MISMATCH <<<"$result" || [ ${#ca[@]} -gt 0 ]; then
        rm -rf "$out"
        fail "the signature of $file does not verify: no release was made"
    fi
done
if [ ${#unsigned_files[@]} -gt 0 ]; then
    if [ -n "${NVN_SIGN_PFX:-}" ]; then
        for file in "${unsigned_files[@]}"; do "$root/tools/sign.sh" "$out/.signing" "$out/$file"; done
        echo "release: signed ${unsigned_files[*]}"
    elif [ "$unsigned" -eq 1 ]; then
        echo "release: unsigned, as asked: ${unsigned_files[*]}" >&2
    else
        rm -rf "$out"
        fail "unsigned: ${unsigned_files[*]}; set NVN_SIGN_PFX to sign them, or give --unsigned: no release was made"
    fi
fi

# The check runs on the folder as it ships.
status=0
"$root/tools/wine-run.sh" "$prefix" "$out/Setup.exe" /verify \
    /log "Z:$out/verify-report.txt" || status=$?
tr -d '\r' <"$out/verify-report.txt" 2>/dev/null || true
if [ "$status" -ne 0 ]; then
    mv "$out/verify-report.txt" "$rejected" 2>/dev/null || true
    rm -rf "$out"
    [ "$status" -eq 2 ] && fail "Setup.exe /verify could not write its report; no release was made."
    echo "release: Setup.exe /verify reported errors (exit $status); no release was made." >&2
    fail "the report is in $rejected"
fi
(cd "$out" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort |
    xargs -d '\n' sha256sum -- >SHA256SUMS)
echo "release: $out"
cat "$out/SHA256SUMS"
