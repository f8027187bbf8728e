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

display=:98
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY=$display
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

echo "== start-up and peak memory under Xvfb, $rounds rounds each, alternating"
"$bench/zimarela_startup_bench" "$rounds" "$bench/zimarela_probe_game" "$bench/zimarela_probe_bare"

echo "== click to redrawn window under Xvfb (median of 10 repetitions)"
"$bench/zimarela_click_bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
  | grep -E 'median|Benchmark|---'

echo "== the web page in headless Chromium"
cmake --preset web
cmake --build --preset web
/usr/bin/python3 bench/web_bench.py --page build/web/zimarela.html
for preset in mobile desktop; do
  /usr/bin/python3 tests/web/lighthouse_check.py --page build/web/zimarela.html \
    --preset "$preset" --scores performance
done
