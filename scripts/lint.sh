#!/usr/bin/env bash
# Fails on any clang-format difference or clang-tidy finding in the
# program's own code, judged by the repository's .clang-format and
# .clang-tidy. clang-tidy reads the compile commands of a configured build
# tree: the first argument, build/clang by default.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/clang}

mapfile -t sources < <(find controls game layout window desktop app -name '*.cpp' -o -name '*.h' | sort)
mapfile -t tests < <(find tests bench -name '*.cpp' -o -name '*.h' | sort)
# The web page's bindings build only with emscripten, so clang-tidy, which
# reads the native build's compile commands, cannot judge them; it judges
# the JSON writer through its native test.
mapfile -t web < <(find web -name '*.cpp' -o -name '*.h' | sort)

echo "== clang-format"
clang-format --dry-run --Werror "${sources[@]}" "${tests[@]}" "${web[@]}"

echo "== clang-tidy"
printf '%s\n' "${sources[@]}" | grep '\.cpp$' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet --warnings-as-errors='*' \
    --header-filter="^$PWD/(controls|game|layout|window|desktop|app|web)/"
# The JSON writer, a header of the page's, through its native test.
clang-tidy -p "$build" --quiet --warnings-as-errors='*' --header-filter="^$PWD/web/" \
  --line-filter='[{"name":"web/json.h"}]' tests/json_test.cpp
echo "lint: clean"
