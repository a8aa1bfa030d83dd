#!/usr/bin/env bash
# Walks the sample distribution headless (tools/run.sh without a display) and
# copies the pictures of its pages into docs/screenshots, the README's pictures.
# usage: tools/refresh-screenshots.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
env -u DISPLAY -u WAYLAND_DISPLAY "$root/tools/run.sh" "$build"
mkdir -p "$root/docs/screenshots"
cp "$build"/walkthrough/*.png "$root/docs/screenshots/"
echo "refresh-screenshots: docs/screenshots now shows this build"
