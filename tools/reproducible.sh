#!/usr/bin/env bash
# Builds Setup.exe a second time, from a copy of the source in another folder
# into another build folder, and compares the two unsigned programs byte for
# byte: the same source must give the same Setup.exe wherever it is built.
# Only the Setup target is built there; later runs reuse that build.
# usage: tools/reproducible.sh [BUILD_DIR]   (default: build; it must hold a built Setup.exe)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
second="$build/reproducible"
src="$second/source"
out="$second/build"

# The work tree's files as they are now (times kept, so the second build
# recompiles only what changed since its last run).
rm -rf "$src"
mkdir -p "$src" "$out/_deps/libjpeg-turbo/fetched"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
    tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | tar -xf - -C "$src"
# The libjpeg source is taken from the first build instead of being fetched again.
if [ ! -f "$out/_deps/libjpeg-turbo/fetched/src/CMakeLists.txt" ] &&
   [ -f "$build/_deps/libjpeg-turbo/fetched/src/CMakeLists.txt" ]; then
    cp -r "$build/_deps/libjpeg-turbo/fetched/src" "$out/_deps/libjpeg-turbo/fetched/"
fi

cmake -S "$src" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
    -DNVN_BUILD_TESTS=OFF >/dev/null
cmake --build "$out" --target Setup >/dev/null

first=$(sha256sum <"$build/launcher/Setup.exe" | cut -d' ' -f1)
again=$(sha256sum <"$out/launcher/Setup.exe" | cut -d' ' -f1)
echo "reproducible: $first  $build/launcher/Setup.exe"
echo "reproducible: $again  $out/launcher/Setup.exe"
if [ "$first" != "$again" ]; then
    echo "reproducible: the two builds of Setup.exe differ"
    exit 1
fi
echo "reproducible: both builds of Setup.exe are byte for byte the same"
