#!/usr/bin/env bash
# Saves PNG pictures of zel as a user meets it, under a real X server with a window
# manager (Xvfb and Openbox, 1400x900), into docs/screenshots/desktop_*.png: window places
# restored from hand-edited and off-screen values, the built-in help on F1, and the start
# after the program was killed. The offscreen pictures (scripts/screenshots.sh) cannot
# show what the window manager does.
#   scripts/screenshots_desktop.sh [BUILD_DIR]      (default: build)
# Needs: Xvfb, openbox, xdotool (apt-get install xvfb openbox xdotool).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target zel screen_grab >/dev/null
root=$PWD
out="$root/docs/screenshots"
mkdir -p "$out"
work=$(mktemp -d)
display=":${ZEL_SCREENSHOT_DISPLAY:-97}"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

cp -r demo/. "$work"
# Places as a user's files may hold them: the shortcut bar left of the screen as a first
# start used to write it, a tree above and left of the area, the list half outside it, an
# editor off its top right and taller than it.
printf 'SCREEN_SIZE=1400,900\r\nMAIN_WINDOW=0,1,-1,-1,-1,-1,30,30,1330,850\r\nSTL_BAR=1,1,230,-131,60,0\r\n' \
  >>"$work/ZEL.INI"
printf '\r\n[WINDOWS]\r\nProjectTree=0,1,-1,-1,-1,-1,-200,-50,250,400\r\nAllocList=0,1,-1,-1,-1,-1,700,250,1300,700\r\nCZ0P00V1.awl=0,1,-1,-1,-1,-1,800,-100,1500,380\r\n' \
  >>"$work/Projects/DEMO/Project.FW4"

start_zel() {
  (cd "$work" && exec "$root/$build/bin/zel") >/dev/null 2>&1 &
  zel=$!
  pids+=("$zel")
  timeout 20 xdotool search --sync --onlyvisible --name '^ZEL' >/dev/null
  sleep 2
}
grab() {
  "$root/$build/bin/screen_grab" "$out/$1.png"
}

start_zel
grab desktop_restored
# F1 in the editor: its page of the manual, in the built-in window when the desktop has
# no browser.
xdotool search --onlyvisible --name '^ZEL' windowactivate --sync key F1
sleep 2
grab desktop_help
# Killed: the next start takes the project's lock over and says so.
kill -9 "$zel"
sleep 1
start_zel
grab desktop_stale_lock
