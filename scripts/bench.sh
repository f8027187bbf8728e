#!/usr/bin/env bash
# Installs what is missing, builds, and runs every benchmark: the headless
# game, then start-up, memory and click-to-screen of the real window under
# a virtual X server, then the web page in headless Chromium, with
# Lighthouse's performance score on its mobile and desktop presets. Pass a
# number to change the start-up rounds (40).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" xvfb xauth x11-utils
npm_tools
rounds=${1:-40}

cmake --preset gcc
cmake --build --preset gcc
bench=build/gcc/bench

echo "== machine"
lscpu | grep -E '^(Model name|CPU\(s\)):' || true

echo "== headless game (median of 10 repetitions)"
"$bench/zimarela_game_bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
  --benchmark_filter='.*' | grep -E 'median|Benchmark|---'

# A display number the server picks itself, free even where others run
# servers on the same machine; it writes the number once it is listening.
numbers=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numbers" &
server=$!
trap 'kill "$server" 2>/dev/null || true; rm -f "$numbers"' EXIT
until [ -s "$numbers" ]; do
  kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
export DISPLAY=:$(head -n 1 "$numbers")
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

echo "== start-up and peak memory under Xvfb, $rounds rounds each, alternating"
"$bench/zimarela_startup_bench" "$rounds" "$bench/zimarela_probe_game" "$bench/zimarela_probe_bare"

echo "== click to redrawn window under Xvfb (median of 10 repetitions)"
"$bench/zimarela_click_bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
  | grep -E 'median|Benchmark|---'

echo "== the web page in headless Chromium"
cmake --preset web
cmake --build --preset web
# The same commit without the game's JavaScript build, which the benchmark
# loads alternately with the page to measure what carrying that build costs.
cmake --preset web -B build/web-bare -DZIMARELA_WEB_FALLBACK=OFF
NODE_PATH=/usr/share/nodejs cmake --build build/web-bare
/usr/bin/python3 bench/web_bench.py --page build/web/zimarela.html \
  --bare build/web-bare/zimarela.html
for preset in mobile desktop; do
  /usr/bin/python3 tests/web/lighthouse_check.py --page build/web/zimarela.html \
    --preset "$preset" --scores performance
done
