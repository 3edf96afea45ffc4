#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest.
#   ./test.sh              the normal build (build/)
#   ./test.sh --sanitize   the cores and their tests with AddressSanitizer + UBSan (build-asan/);
#                          the Qt windows are left out (Qt's own allocations are not ours to chase)
#   ./test.sh --tsan       the suites of the message system, the jobs and the controller
#                          library (platform, app, telvane,
#                          the compile driver, the build) with ThreadSanitizer
#                          (build-tsan/); any race or lock-order inversion fails the run
#   ./test.sh --fuzz [S]   builds the fuzz targets with clang and runs each for S seconds
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zel_install_deps

jobs=$(nproc 2>/dev/null || echo 2)
mode=${1:-normal}

case "$mode" in
  normal)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$jobs"
    ctest --test-dir build --output-on-failure -j"$jobs"
    ;;
  --sanitize)
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEL_SANITIZE=ON \
      -DZEL_BENCH=OFF -DZEL_GUI=OFF >/dev/null
    cmake --build build-asan -j"$jobs"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-asan --output-on-failure -j"$jobs"
    ;;
  --tsan)
    suites=(platform_tests app_tests stl_compile_tests build_tests telvane_tests)
    cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEL_TSAN=ON \
      -DZEL_GUI=OFF -DZEL_BENCH=OFF >/dev/null
    cmake --build build-tsan -j"$jobs" --target "${suites[@]}"
    # CTest names a case after its test suite, not its binary: select the suites' cases.
    cases=$(for t in "${suites[@]}"; do build-tsan/bin/"$t" --gtest_list_tests; done |
      sed -n 's/^\([^ #][^ ]*\)\.\( .*\)\{0,1\}$/\1/p' | sort -u | paste -sd'|')
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
      ctest --test-dir build-tsan --output-on-failure -j"$jobs" -R "^($cases)\."
    ;;
  --fuzz)
    seconds=${2:-20}
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZEL_FUZZ=ON -DZEL_TESTS=OFF -DZEL_BENCH=OFF -DZEL_GUI=OFF >/dev/null
    cmake --build build-fuzz -j"$jobs"
    scripts/run_fuzzers.sh build-fuzz/bin "$seconds"
    ;;
  *)
    echo "usage: ./test.sh [--sanitize | --tsan | --fuzz [seconds]]" >&2
    exit 2
    ;;
esac
