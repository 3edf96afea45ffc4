#!/usr/bin/env bash
# Installs what is missing, builds, and starts ZEL in the demo workspace.
# The bundled demo/ is copied to build/demo so that running never changes the checked-in
# files. Later runs add what a newer demo/ brings (files build/demo lacks) and keep every
# file there as it is; delete build/demo to start again from the bundled state.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zel_install_deps

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"

work=build/demo
(cd demo && find . -type f) | while IFS= read -r file; do
  if [ ! -e "$work/$file" ]; then
    mkdir -p "$(dirname "$work/$file")"
    cp -p "demo/$file" "$work/$file"
  fi
done
zelc="$PWD/build/bin/zelc"
zel="$PWD/build/bin/zel"
kzcsim="$PWD/build/bin/kzcsim"
cd "$work"

# The virtual controller stands in for a real one on loopback (the demo's preferences
# name TCP/IP at 127.0.0.1), on free unprivileged ports that zel and zelc are told of.
ports=$(mktemp)
"$kzcsim" --ci-port "${ZEL_CI_PORT:-0}" --tftp-port "${ZEL_TFTP_PORT:-0}" --print-ports \
  --platform VM1X >"$ports" &
sim=$!
trap 'kill "$sim" 2>/dev/null; rm -f "$ports"' EXIT
for _ in $(seq 50); do
  grep -q '^tftp-port' "$ports" && break
  sleep 0.1
done
ZEL_CI_PORT=$(awk '/^ci-port/ {print $2}' "$ports")
ZEL_TFTP_PORT=$(awk '/^tftp-port/ {print $2}' "$ports")
export ZEL_CI_PORT ZEL_TFTP_PORT
echo "Virtual controller kzcsim on 127.0.0.1, command port $ZEL_CI_PORT (Online > Login...)."

# The desktop program needs a display; without one, tour the workspace headlessly.
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  "$zel"
  exit
fi
echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): zel cannot show its"
echo "windows here, so this is a tour of the demo workspace with the command-line zelc."
echo "Pictures of zel's windows are in docs/screenshots/ (scripts/screenshots.sh)."
echo
echo "== Projects in $(pwd)"
"$zelc" projects
for name in $("$zelc" projects | cut -f1); do
  echo
  echo "== Modules of $name"
  "$zelc" modules -p "$name"
  echo
  echo "== Controller settings of $name"
  "$zelc" controller-settings -p "$name" --summary
done
echo
echo "== Building DEMO: its modules compiled and linked into Project.RUN, with its drivers"
"$zelc" build -p DEMO || true
echo
echo "== The records of DEMO's run file"
"$zelc" list-run -p DEMO || true
echo
echo "== Logging in to the virtual controller and asking it who it is"
"$zelc" login || true
"$zelc" ci "L?" || true
