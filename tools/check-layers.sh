#!/usr/bin/env bash
# Checks that no product folder includes a header of a folder above it:
# core <- packages <- verify; core <- ui; ui and packages <- wizard <- launcher.
# Prints each upward include and exits 1 when there is one.
# usage: tools/check-layers.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
declare -A allowed=(
    [core]="core"
    [packages]="core packages"
    [verify]="core packages verify"
    [ui]="core ui resources"
    [wizard]="core packages ui wizard resources"
    [launcher]="core packages verify ui wizard launcher resources"
)
folders="core packages verify ui wizard launcher resources"
status=0
for folder in "${!allowed[@]}"; do
    for file in "$root/$folder"/*.cpp "$root/$folder"/*.h; do
        [ -e "$file" ] || continue
        while IFS= read -r header; do
            home=""
            for candidate in $folders; do
                if [ -e "$root/$candidate/$header" ]; then
                    home=$candidate
                    break
                fi
            done
            [ -n "$home" ] || continue
            if [[ " ${allowed[$folder]} " != *" $home "* ]]; then
                echo "check-layers: ${file#"$root"/} includes $home/$header"
                status=1
            fi
        done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
    done
done
[ "$status" = 0 ] && echo "check-layers: no folder includes a header of a folder above it"
exit "$status"
