#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is missing.
# Sourced by run.sh and test.sh so both work on a fresh machine.
set -euo pipefail

ZEL_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev libcli11-dev
  clang libclang-rt-14-dev
  xdg-utils
  qt6-base-dev
  bison libunicorn-dev
  zlib1g-dev libminizip-dev
  ccache
  # The print-out's tests read PDFs back (pdftotext, pdftoppm); the fonts give the default
  # print font a face of the same metrics where a minimal system has none.
  poppler-utils fonts-liberation2
)

zel_missing_packages() {
  local missing=()
  for p in "${ZEL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  echo "${missing[@]:-}"
}

zel_install_deps() {
  local missing
  missing=$(zel_missing_packages)
  [ -z "$missing" ] && return 0
  echo "Installing missing packages: $missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  $sudo apt-get install -y -qq --no-install-recommends $missing
}
