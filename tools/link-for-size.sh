#!/usr/bin/env bash
# Links a program so that --gc-sections really drops the functions nothing
# calls. The linker's default script keeps every unwind table entry (.pdata),
# and each entry names its function, so on x64 no function that has one is
# ever dropped. This link runs twice:
#  1. with the entries not kept, so that the linker lists the code sections
#     no code, data or exception table reaches;
#  2. the real link, with those sections' unwind entries (.pdata and .xdata of
#     the same suffix in the same object) discarded, so that the functions go
#     too, while every function that stays keeps its entry.
# It then checks that every entry in the program names a function that is in
# it. Used as the link launcher of a CMake target: the link command follows.
# usage: tools/link-for-size.sh COMPILER ARGUMENTS...
set -euo pipefail

compiler=$1
output=
previous=
for argument in "$@"; do
    [ "$previous" = -o ] && output=$argument
    previous=$argument
done
if [ -z "$output" ]; then
    echo "link-for-size: the link command names no output (-o)" >&2
    exit 1
fi
work="$output.link"
rm -rf "$work"
mkdir -p "$work"

# The linker's own default script, with the unwind entries no longer kept.
ld=$("$compiler" -print-prog-name=ld)
"$ld" --verbose | sed -n '/^=====/,/^=====/p' | sed '1d;$d' >"$work/default.ld"
keep='KEEP(\*(\.pdata\*))'
if [ "$(grep -c "$keep" "$work/default.ld")" != 1 ]; then
    echo "link-for-size: the linker's default script does not keep .pdata as expected" >&2
    exit 1
fi
sed "s/$keep/*(.pdata*)/" "$work/default.ld" >"$work/unkept.ld"

# Runs the link command with another output, and with extra arguments.
link_to() {
    local target=$1
    shift
    local extra=("$@") rewritten=() skip=0 argument
    for argument in "${link_command[@]}"; do
        if [ $skip = 1 ]; then
            rewritten+=("$target")
            skip=0
        else
            rewritten+=("$argument")
            [ "$argument" = -o ] && skip=1
        fi
    done
    "${rewritten[@]}" "${extra[@]}"
}
link_command=("$@")

# Code sections unused once the unwind entries keep nothing alive, one line
# each: the section name's suffix after ".text", a tab, the object.
unused_code() {
    sed -n "s/^.*: removing unused section '\.text\([^'[]*\)\(\[[^']*\]\)\{0,1\}' in file '\(.*\)'$/\1\t\3/p" "$1" |
        LC_ALL=C sort
}

# Everything else the linker says goes on to the build's output.
pass_on() {
    grep -v "removing unused section" "$1" >&2 || true
}

if ! link_to "$work/first.exe" -Wl,-T,"$work/unkept.ld" -Wl,--print-gc-sections 2>"$work/first.log"; then
    pass_on "$work/first.log"
    exit 1
fi
unused_code "$work/first.log" >"$work/unused.txt"
rm -f "$work/first.exe"

# The real link: the unused functions' unwind entries are discarded before
# the default script's rules see them. An object in an archive is named
# archive:member there.
{
    echo '  /DISCARD/ : {'
    awk -F '\t' '{
        object = $2
        if (object ~ /\)$/) { sub(/\(/, ":", object); sub(/\)$/, "", object) }
        print "    " object "(.pdata" $1 " .xdata" $1 ")"
    }' "$work/unused.txt"
    echo '  }'
} >"$work/discard.ld"
awk -v discard="$work/discard.ld" '
    { print }
    /^SECTIONS$/ { getline; print; while ((getline line < discard) > 0) print line }
' "$work/unkept.ld" >"$work/final.ld"

if ! link_to "$output" -Wl,-T,"$work/final.ld" -Wl,--print-gc-sections 2>"$work/final.log"; then
    pass_on "$work/final.log"
    exit 1
fi
pass_on "$work/final.log"
unused_code "$work/final.log" >"$work/unused-final.txt"

# The real link must drop exactly the code the first one found unused, and
# every unwind entry must name a function in the program (one whose function
# was dropped would begin at the image's own base).
if ! cmp -s "$work/unused.txt" "$work/unused-final.txt"; then
    echo "link-for-size: the two links dropped different code; see $work" >&2
    rm -f "$output"
    exit 1
fi
objdump=$("$compiler" -print-prog-name=objdump)
"$objdump" -p "$output" >"$work/headers.txt"
base=$(sed -n 's/^ImageBase[[:space:]]*//p' "$work/headers.txt")
stray=$(sed -n '/^The Function Table/,/^$/p' "$work/headers.txt" | awk -v base="$base" '$2 == base')
if [ -n "$stray" ]; then
    echo "link-for-size: unwind entries name dropped functions; see $work" >&2
    echo "$stray" >&2
    rm -f "$output"
    exit 1
fi
