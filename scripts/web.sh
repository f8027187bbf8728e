#!/usr/bin/env bash
# Installs what is missing, builds the game as one web page,
# build/web/zimarela.html, and serves it on this machine only. The file
# needs no server: it plays opened straight from disk, and can be copied,
# mailed or put anywhere. Pass a port to serve on another than 8000.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${WEB_PACKAGES[@]}"
port=${1:-8000}

cmake --preset web
cmake --build --preset web
echo "The whole game is one file: $PWD/build/web/zimarela.html"
echo "Serving it at http://127.0.0.1:$port/zimarela.html (Ctrl+C stops)"
exec /usr/bin/python3 -m http.server --bind 127.0.0.1 --directory build/web "$port"
