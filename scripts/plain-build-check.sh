#!/usr/bin/env bash
# Runs scripts/plain-build.sh, the build a distribution would make, in a
# fresh minimal root of Debian 12 (bookworm) or 13 (trixie): the one step of
# fresh-check.sh, alone. Commit first: what is not committed is not
# checked. Usage, as root: scripts/plain-build-check.sh bookworm|trixie
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

step "the plain build"
in_root "$root" ./scripts/plain-build.sh

step "passed"
