#!/usr/bin/env bash
# Installs what is missing, then builds with g++ and clang++ (warnings as
# errors) and runs the whole test suite with each.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

for preset in gcc clang; do
  echo "== $preset"
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
