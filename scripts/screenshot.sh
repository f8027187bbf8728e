#!/usr/bin/env bash
# Photographs the real window under a virtual X server into docs/window.png.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" xvfb xauth imagemagick x11-utils

cmake --preset release
cmake --build --preset release

display=:97
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp &
server=$!
trap 'kill "$game" "$server" 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

DISPLAY=$display build/release/app/zimarela &
game=$!
for _ in $(seq 100); do
  id=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null | awk '/"Зимарела": \("zimarela"/ {print $1; exit}')
  [ -n "$id" ] && break
  sleep 0.1
done
[ -n "$id" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1  # let the first paint finish
mkdir -p docs
DISPLAY=$display import -window "$id" docs/window.png
echo "wrote docs/window.png"
