#!/usr/bin/env bash
# Saves PNG pictures of zel's main windows into docs/screenshots/, taken in a fresh copy
# of the demo workspace on Qt's offscreen platform: no display or X server is needed.
#   scripts/screenshots.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target ui_screenshots orvix_screenshots >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r demo/. "$work"
out="$PWD/docs/screenshots"
mkdir -p "$out"
(cd "$work" && QT_QPA_PLATFORM=offscreen "$OLDPWD/$build/bin/ui_screenshots" "$out")
# The converter's wizard over a version-3 installation it generates itself.
QT_QPA_PLATFORM=offscreen "$build/bin/orvix_screenshots" "$out"
