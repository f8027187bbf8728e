#!/usr/bin/env bash
# Builds the game as a distribution would: in a fresh minimal root of
# Debian 12 (bookworm) or 13 (trixie) that holds only the build's own
# dependencies and GoogleTest, configured with no preset and no option of
# ours, tests on. Every test must pass or report itself skipped; none may
# fail for a tool that is not there. Commit first: what is not committed
# is not checked. Usage, as root: scripts/plain-build-check.sh bookworm|trixie
set -euo pipefail
cd "$(dirname "$0")/.."
suite=${1:?usage: plain-build-check.sh bookworm|trixie}
. scripts/fresh-root.sh
. scripts/packages.sh
ensure_packages debootstrap

work=$(mktemp -d "${TMPDIR:-/tmp}/zimarela-plain-$suite.XXXXXX")
root=$work/root
cleanup() { drop_root "$root" && rm -rf "$work"; }
trap cleanup EXIT

started=$SECONDS
step() { echo "== $suite, plain build, $((SECONDS - started)) s: $*"; }

step "a fresh root with a clean copy of HEAD in /src"
make_root "$suite" "$root"
mkdir "$root/src"
git archive --format=tar HEAD | tar -xf - -C "$root/src"

step "the build's dependencies and GoogleTest, nothing else"
# shellcheck disable=SC2016
in_root "$root" bash -c '. scripts/packages.sh && ensure_packages "${BUILD_PACKAGES[@]}" libgtest-dev'

step "configure with no preset, build, test"
in_root "$root" cmake -S . -B build/plain -G Ninja
in_root "$root" cmake --build build/plain
in_root "$root" ctest --test-dir build/plain --output-on-failure -j 2 --timeout 600

step "passed"
