#!/usr/bin/env bash
# Builds the .deb, its symbols' package and the web page twice from the
# same source and fails
# unless both come out byte for byte the same. The second build differs from
# the first in everything that must not matter: its folder (name and depth),
# umask, time zone, locale and, naturally, the time it runs at and the times
# of its files. Neither is given a SOURCE_DATE_EPOCH: each build finds the
# tree's date itself, as a build by hand does. On a difference it names
# the file inside the package, or the first differing byte of the page.
# The symbols must agree too: they carry the build folder wherever a
# compiler records where it was run, unless that is mapped away.
# Usage: tests/reproducible.sh [SOURCE_TREE [SCRATCH]]
set -euo pipefail
source_tree=$(realpath "${1:-$(dirname "$0")/..}")
scratch=${2:-$(mktemp -d "${TMPDIR:-/tmp}/zimarela-reproducible.XXXXXX")}
rm -rf "$scratch"
mkdir -p "$scratch"

# The working tree as it stands, committed or not, without build folders.
# From a clone, each copy carries the history too, so that both builds take
# their date from it as any build in a clone does; an unpacked source
# archive has none, and the builds take the changelog's.
in_history() {
  [ "$(git -C "$source_tree" rev-parse --show-toplevel 2>/dev/null)" = "$source_tree" ]
}
copy_tree() {
  if in_history; then
    git clone -q --shared --no-checkout "$source_tree" "$1"
    (cd "$source_tree" && git ls-files -z --cached --others --exclude-standard |
      xargs -0 cp --parents -t "$1")
  else
    mkdir -p "$1"
    tar -C "$source_tree" --exclude=./build -cf - . | tar -xf - -C "$1"
  fi
}

# build DIR UMASK TZ LANG: both artefacts, in a shell of their own; the
# page without its tests, which would want browsers.
build() {
  (
    cd "$1"
    umask "$2"
    export TZ=$3 LANG=$4
    unset LC_ALL
    {
      ./scripts/package.sh && cmake --preset web -DBUILD_TESTING=OFF &&
        cmake --build --preset web
    } >"$1.log" 2>&1 || { tail -n 40 "$1.log"; echo "the build in $1 failed" >&2; exit 2; }
  )
}

first=$scratch/one/zimarela
second=$scratch/second-folder/deeper/z
unset SOURCE_DATE_EPOCH
# Each copy is made just before its build, so that the files' times differ.
copy_tree "$first"
build "$first" 022 UTC C.UTF-8
copy_tree "$second"
build "$second" 002 Asia/Tokyo bg_BG.UTF-8

failures=()

# A .deb: an ar archive of control and data tarballs. Unpacked, each
# member is compared by content and by its line in the tarball's listing
# (mode, owner, time, order).
compare_debs() {
  local deb_one=$1 deb_two=$2 explain differing side deb tarball name
  cmp -s "$deb_one" "$deb_two" && return 0
  explain=$scratch/explain/$(basename "$deb_one")
  for side in one two; do
    deb=deb_$side
    mkdir -p "$explain/$side"
    (cd "$explain/$side" && ar x "${!deb}" && ar t "${!deb}" >members)
    for tarball in "$explain/$side"/{control,data}.tar.*; do
      name=$(basename "$tarball")
      mkdir -p "$explain/$side/${name%%.*}"
      tar -xf "$tarball" -C "$explain/$side/${name%%.*}"
      tar -tvf "$tarball" --full-time >"$explain/$side/${name%%.*}.listing"
    done
  done
  differing=$(cd "$explain" && {
    diff -rq --no-dereference one/control two/control || true
    diff -rq --no-dereference one/data two/data || true
  } | sed -E 's#^Files one/(control|data)/([^ ]*) and .*#\1: \2#')
  [ -n "$differing" ] || differing=$(cd "$explain" && {
    diff one/members two/members >/dev/null || echo "the order of the archive's members"
    diff one/control.listing two/control.listing || true
    diff one/data.listing two/data.listing || true
  })
  [ -n "$differing" ] || differing="the archive's own headers"
  failures+=("$(basename "$deb_one") differs between the two builds:"$'\n'"$differing")
}

summary=()
for package in zimarela zimarela-dbgsym; do
  deb_one=$(echo "$first"/build/release/${package}_*.deb)
  deb_two=$(echo "$second"/build/release/${package}_*.deb)
  for deb in "$deb_one" "$deb_two"; do
    [ -f "$deb" ] || { echo "no ${package}_*.deb came out of the build beside $deb" >&2; exit 2; }
  done
  compare_debs "$deb_one" "$deb_two"
  summary+=("$(basename "$deb_one") ($(sha256sum <"$deb_one" | cut -c1-16)...)")
done

page_one=$first/build/web/zimarela.html
page_two=$second/build/web/zimarela.html
if ! difference=$(cmp "$page_one" "$page_two"); then
  failures+=("zimarela.html differs: ${difference#* differ: } (sizes $(stat -c %s "$page_one") and $(stat -c %s "$page_two"))")
fi

if [ "${#failures[@]}" -gt 0 ]; then
  printf '%s\n' "${failures[@]}" >&2
  echo "Not reproducible. Both builds are kept in $scratch; diffoscope explains the rest." >&2
  exit 1
fi
echo "Both builds agree: ${summary[*]}" \
  "and zimarela.html ($(sha256sum <"$page_one" | cut -c1-16)...)"
rm -rf "$scratch"
