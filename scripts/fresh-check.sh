#!/usr/bin/env bash
# Proves the README on a machine that has nothing installed: in a fresh
# minimal root of Debian 12 (bookworm) or 13 (trixie), holding only what a
# clone of this repository's HEAD holds, with a clean environment, it
#   1. builds and tests as a distribution would, with only the build's
#      dependencies and GoogleTest installed (scripts/plain-build.sh),
#   2. runs the play command until the game's window maps,
#   3. builds the .deb and its symbols' package with the package command,
#      unless a release's folder (from release.sh) is given, whose
#      SHA256SUMS it then verifies,
#   4. runs the test command, the whole suite,
#   5. installs both packages, the release's if given, with apt-get into a
#      second fresh root and starts the installed game until its window
#      maps,
#   6. takes a core of the installed game there and reads it with gdb, which
#      must name main's file and line with the symbols' package and none
#      without it.
# The windows map on an X server outside the roots. Commit first: what is
# not committed is not checked. Usage, as root:
# scripts/fresh-check.sh bookworm|trixie [RELEASE_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
suite=${1:?usage: fresh-check.sh bookworm|trixie [RELEASE_FOLDER]}
release=${2:+$(realpath "$2")}
. scripts/fresh-root.sh
. scripts/fresh-install.sh
. scripts/packages.sh
ensure_packages debootstrap xvfb x11-utils

work=$(mktemp -d "${TMPDIR:-/tmp}/zimarela-$suite.XXXXXX")
build_root=$work/build
install_root=$work/install
display_server=
# Both roots go, whatever happened; the work folder only once nothing is
# left mounted in it.
cleanup() {
  local dropped=0
  if [ -n "$display_server" ]; then kill "$display_server" 2>/dev/null || true; fi
  drop_root "$build_root" || dropped=1
  drop_root "$install_root" || dropped=1
  [ "$dropped" -eq 0 ] && rm -rf "$work"
}
trap cleanup EXIT
start_display "$work"

started=$SECONDS
step() { echo "== $suite, $((SECONDS - started)) s: $*"; }

step "a fresh root with a clean copy of HEAD in /src"
make_root "$suite" "$build_root" "$display_number"
mkdir "$build_root/src"
git archive --format=tar HEAD | tar -xf - -C "$build_root/src"

step "the plain build, before anything else is installed"
in_root "$build_root" ./scripts/plain-build.sh

step "the play command"
until_window "$build_root" ./scripts/play.sh

if [ -n "$release" ]; then
  step "the release's checksums"
  (cd "$release" && sha256sum -c SHA256SUMS)
  debs=("$release"/zimarela_*.deb "$release"/zimarela-dbgsym_*.deb)
else
  step "the package command"
  in_root "$build_root" ./scripts/package.sh
  debs=("$build_root"/src/build/release/zimarela_*.deb "$build_root"/src/build/release/zimarela-dbgsym_*.deb)
fi

step "the test command"
in_root "$build_root" ./scripts/test.sh

step "$(basename "${debs[0]}") and its symbols in a second fresh root"
install_and_start "$suite" "$install_root" "${debs[@]}"

step "a core of the installed game, read there"
crash_reads_in "$install_root"

step "passed"
