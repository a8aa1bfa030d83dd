#!/usr/bin/env bash
# Walks the sample distribution headless (tools/run.sh without a display) and
# copies the pictures of its pages into docs/screenshots, the README's pictures;
# then once more at 150 % (144 DPI) into docs/screenshots/150, the selection
# page of the Japanese sample (samples/ja) in code page 932 into
# docs/screenshots/ja, and every page in the "High Contrast Black" scheme into
# docs/screenshots/high-contrast.
# usage: tools/refresh-screenshots.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
env -u DISPLAY -u WAYLAND_DISPLAY "$root/tools/run.sh" "$build"
mkdir -p "$root/docs/screenshots"
cp "$build"/walkthrough/*.png "$root/docs/screenshots/"
env -u DISPLAY -u WAYLAND_DISPLAY "$root/tools/run.sh" --dpi 144 "$build"
mkdir -p "$root/docs/screenshots/150"
cp "$build"/walkthrough-144/*.png "$root/docs/screenshots/150/"
env -u DISPLAY -u WAYLAND_DISPLAY "$root/tools/run.sh" --code-page 932 --dist "$root/samples/ja" "$build"
mkdir -p "$root/docs/screenshots/ja"
cp "$build/walkthrough-932/selection.png" "$root/docs/screenshots/ja/"
env -u DISPLAY -u WAYLAND_DISPLAY "$root/tools/run.sh" --high-contrast "$build"
mkdir -p "$root/docs/screenshots/high-contrast"
cp "$build"/walkthrough-high-contrast/*.png "$root/docs/screenshots/high-contrast/"
echo "refresh-screenshots: docs/screenshots now shows this build"
