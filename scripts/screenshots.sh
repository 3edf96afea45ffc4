#!/usr/bin/env bash
# Saves PNG pictures of zel's main windows into docs/screenshots/, taken in a fresh copy
# of the demo workspace on Qt's offscreen platform: no display or X server is needed.
#   scripts/screenshots.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target ui_screenshots orvix_screenshots zelc >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r demo/. "$work"
out="$PWD/docs/screenshots"
mkdir -p "$out"
(cd "$work" && QT_QPA_PLATFORM=offscreen "$OLDPWD/$build/bin/ui_screenshots" "$out")
# The converter's wizard over a version-3 installation it generates itself.
QT_QPA_PLATFORM=offscreen "$build/bin/orvix_screenshots" "$out"
# Two pages of the demo's documentation print-out, as zelc writes it into a PDF file: the
# controller settings and the first program's source.
"$build/bin/zelc" --workdir "$work" print -p DEMO --pdf "$work/demo.pdf" >/dev/null
pages=$(pdfinfo "$work/demo.pdf" | awk '/^Pages:/ {print $2}')
page_with() {
  for ((p = 1; p <= pages; p++)); do
    if pdftotext -f "$p" -l "$p" "$work/demo.pdf" - | grep -q "$1"; then echo "$p"; return; fi
  done
  echo "no page shows '$1'" >&2
  exit 1
}
for shot in "controller_settings:Run/Stop Input" "source:Program 0 (V1) - Main cycle"; do
  page=$(page_with "${shot#*:}")
  pdftoppm -png -r 100 -singlefile -f "$page" -l "$page" "$work/demo.pdf" "$out/print_${shot%%:*}"
done
