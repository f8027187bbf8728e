#!/usr/bin/env bash
# Builds and tests the game as a distribution would: with only the build's
# own dependencies and GoogleTest installed, configured with no preset and
# none of our options, tests on. Every test must pass or report itself
# skipped; none may fail for a tool that is not there. fresh-check.sh runs
# it first in a fresh root, before anything else is installed there.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" libgtest-dev

rm -rf build/plain
cmake -S . -B build/plain -G Ninja
cmake --build build/plain
ctest --test-dir build/plain --output-on-failure -j 2 --timeout 600
