#!/bin/sh
# Renders the started window offscreen into docs/window.png.
# Usage: docs/make_window_screenshot.sh [BUILD_DIR]   (default: build)
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-"$source_dir/build"}
cmake --build "$build_dir" --target window_screenshot -j2
QT_QPA_PLATFORM=offscreen "$build_dir/tests/shell/window/window_screenshot" "$source_dir/docs/window.png"
echo "Wrote $source_dir/docs/window.png"
