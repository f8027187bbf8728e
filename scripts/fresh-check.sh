#!/usr/bin/env bash
# Proves the README on a machine that has nothing installed: in a fresh
# minimal root of Debian 12 (bookworm) or 13 (trixie), holding only what a
# clone of this repository's HEAD holds, with a clean environment, it
#   1. builds and tests as a distribution would, with only the build's
#      dependencies and GoogleTest installed (scripts/plain-build.sh),
#   2. runs the play command until the game's window maps,
#   3. builds the .deb with the package command,
#   4. runs the test command, the whole suite,
#   5. installs the .deb with apt-get into a second fresh root and starts
#      the installed game until its window maps.
# The windows map on an X server outside the roots, whose socket alone is
# shared into them, and where this script watches for them. Commit first:
# what is not committed is not checked. Usage, as root:
# scripts/fresh-check.sh bookworm|trixie
set -euo pipefail
cd "$(dirname "$0")/.."
suite=${1:?usage: fresh-check.sh bookworm|trixie}
. scripts/fresh-root.sh
. scripts/packages.sh
ensure_packages debootstrap xvfb x11-utils

work=$(mktemp -d "${TMPDIR:-/tmp}/zimarela-$suite.XXXXXX")
build_root=$work/build
install_root=$work/install
server=
# Both roots go, whatever happened; the work folder only once nothing is
# left mounted in it.
cleanup() {
  local dropped=0
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
  drop_root "$build_root" || dropped=1
  drop_root "$install_root" || dropped=1
  [ "$dropped" -eq 0 ] && rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it listens.
mkfifo "$work/ready"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/ready" &
server=$!
read -r number <"$work/ready"
display=:$number

# until_window ROOT COMMAND...: starts COMMAND in ROOT and waits until the
# game's window maps, then closes the game. Fails if the command ends
# first. The command may build first, so there is no short time limit.
until_window() {
  local root=$1 pid
  shift
  in_root "$root" env DISPLAY="$display" "$@" &
  pid=$!
  while ! xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Зимарела"'; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "$* ended before the game's window mapped" >&2
      return 1
    fi
    sleep 1
  done
  echo "the game's window mapped: $*"
  stop_root "$root"
  wait "$pid" 2>/dev/null || true
}

started=$SECONDS
step() { echo "== $suite, $((SECONDS - started)) s: $*"; }

step "a fresh root with a clean copy of HEAD in /src"
make_root "$suite" "$build_root" "$number"
mkdir "$build_root/src"
git archive --format=tar HEAD | tar -xf - -C "$build_root/src"

step "the plain build, before anything else is installed"
in_root "$build_root" ./scripts/plain-build.sh

step "the play command"
until_window "$build_root" ./scripts/play.sh

step "the package command"
in_root "$build_root" ./scripts/package.sh
deb=$(cd "$build_root/src" && echo build/release/zimarela_*.deb)

step "the test command"
in_root "$build_root" ./scripts/test.sh

step "the .deb in a second fresh root"
make_root "$suite" "$install_root" "$number"
mkdir "$install_root/src"
cp "$build_root/src/$deb" "$install_root/src/"
in_root "$install_root" env DEBIAN_FRONTEND=noninteractive apt-get update -q
in_root "$install_root" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends "./$(basename "$deb")"
program=$(in_root "$install_root" dpkg -L zimarela | grep -E '/(bin|games)/zimarela$')
until_window "$install_root" "$program"

step "passed"
