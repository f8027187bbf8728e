#!/usr/bin/env bash
# Builds everything a release ships into one folder, by default
# build/zimarela-VERSION: the .deb, its debug symbols' package (the same
# name with -dbgsym), the web page zimarela.html, the source
# archive, the release's notes (the newest entry of the Debian changelog) and
# SHA256SUMS over them all. Everything is built from the source archive
# itself, in a fresh minimal Debian 12 root, so the .deb asks only for
# library versions that Debian 12 and 13 both have. The date the build
# records is the commit's, so a rebuild of the same commit gives the same
# bytes. Last, the .deb is installed with apt-get into fresh Debian 12 and
# 13 roots, with its symbols, and the installed game started there until
# its window maps, and a core of it read there with file and line;
# --no-install-check leaves that to the caller (CI does it in fresh-check.sh).
# Releases HEAD; commit first. Usage, as root:
#   release.sh [--no-install-check] [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/fresh-root.sh
. scripts/fresh-install.sh
. scripts/packages.sh
install_check=yes
if [ "${1:-}" = --no-install-check ]; then
  install_check=
  shift
fi
ensure_packages git debootstrap xvfb x11-utils

if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "The tree has changes that are not committed; a release is made of a commit." >&2
  exit 1
fi
commit=$(git rev-parse HEAD)
version=$(sed -n '/^project(/,/)/s/^ *VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# The default folder is made anew; a given one must be new or empty, so
# that nothing stale is left beside the release.
out=$(realpath -m "${1:-build/zimarela-$version}")
if [ -z "${1:-}" ]; then rm -rf "$out"; fi
if [ -n "$(ls -A "$out" 2>/dev/null)" ]; then
  echo "$out is not empty; give a new folder." >&2
  exit 1
fi
epoch=$(git log -1 --format=%ct "$commit")
work=$(mktemp -d "${TMPDIR:-/tmp}/zimarela-release.XXXXXX")
root=$work/root
display_server=
cleanup() {
  if [ -n "$display_server" ]; then kill "$display_server" 2>/dev/null || true; fi
  drop_root "$root" && rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$out"
source_archive=zimarela-$version.tar.gz
git archive --format=tar.gz --prefix="zimarela-$version/" -o "$out/$source_archive" "$commit"

echo "== building $version (SOURCE_DATE_EPOCH=$epoch) in a fresh Debian 12 root"
make_root bookworm "$root"
tar -xzf "$out/$source_archive" -C "$root"
mv "$root/zimarela-$version" "$root/src"
# The page's tests need browsers that the release does not.
in_root "$root" env SOURCE_DATE_EPOCH="$epoch" bash -c '
  set -e
  ./scripts/package.sh
  . scripts/packages.sh
  ensure_packages "${WEB_PACKAGES[@]}"
  cmake --preset web -DBUILD_TESTING=OFF
  cmake --build --preset web'
cp "$root"/src/build/release/zimarela_*.deb "$root"/src/build/release/zimarela-dbgsym_*.deb \
  "$root/src/build/web/zimarela.html" "$out/"
drop_root "$root"

# The notes: the newest changelog entry's lines, without Debian's indent.
notes=zimarela-$version-notes.txt
{
  echo "Zimarela $version ($(sed -n 's/^ -- .*>  //p;' data/debian/changelog | head -n 1))"
  echo
  sed -n '2,/^ -- /{/^ -- /d;s/^  //;p}' data/debian/changelog | sed '/./,$!d'
  echo "zimarela-dbgsym holds the program's debug information. Players do not"
  echo "need it to play; installed beside the game, it lets gdb read a crash's"
  echo "core with function names, files and lines (see the README)."
  echo
  echo "Built from commit $commit with SOURCE_DATE_EPOCH=$epoch."
} >"$out/$notes"

(cd "$out" && sha256sum -- zimarela_*.deb zimarela-dbgsym_*.deb zimarela.html "$source_archive" "$notes" \
  >SHA256SUMS &&
  sha256sum -c --quiet SHA256SUMS)

if [ -n "$install_check" ]; then
  start_display "$work"
  for suite in bookworm trixie; do
    echo "== the .deb and its symbols in a fresh $suite root"
    install_and_start "$suite" "$root" "$out"/zimarela_*.deb "$out"/zimarela-dbgsym_*.deb
    crash_reads_in "$root"
    drop_root "$root"
  done
fi
echo "The release is in $out:"
ls -l "$out"
