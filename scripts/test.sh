#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite three
# times: with g++ (and valgrind's leak check), with clang++ (and a bounded
# fuzzer run, then clang-format and clang-tidy over the code), and with g++
# under AddressSanitizer and UBSan. Warnings are errors in all three. Last,
# it builds the web page with emscripten, plays it in Chromium, Firefox and
# WebKitGTK, and has Lighthouse audit it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
npm_tools

for preset in gcc clang asan web; do
  echo "== $preset"
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
  if [ "$preset" = clang ]; then ./scripts/lint.sh build/clang; fi
done
