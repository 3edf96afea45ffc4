#!/usr/bin/env bash
# Installs what is missing, builds, and starts ZEL in the demo workspace.
# The bundled demo/ is copied once to build/demo so that running never changes the
# checked-in files; delete build/demo to start again from the bundled state.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zel_install_deps

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"

work=build/demo
if [ ! -d "$work" ]; then
  cp -r demo "$work"
fi
zelc="$PWD/build/bin/zelc"
cd "$work"

# The desktop program is not built yet; until it is, tour the workspace headlessly.
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
