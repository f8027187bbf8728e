#!/bin/sh
# Starts the game where no display can be reached and expects one sentence
# on stderr and status 1, never Qt's six-line abort: with nothing named,
# with an X display where no server runs, and with a Wayland socket where
# no compositor listens. Usage: no_display.sh PROGRAM
set -u
program=$1
scratch=$(mktemp -d)
chmod 700 "$scratch"
trap 'rm -rf "$scratch"' EXIT
failed=0

expect_one_sentence() {
  what=$1
  shift
  status=0
  env -i PATH=/usr/bin:/bin HOME="$scratch" XDG_RUNTIME_DIR="$scratch" "$@" "$program" \
    >"$scratch/out" 2>"$scratch/err" || status=$?
  if [ "$status" -ne 1 ] || [ "$(wc -l <"$scratch/err")" -ne 1 ] ||
    ! grep -q 'no display can be reached' "$scratch/err"; then
    echo "$what: status $status, and on stderr:"
    cat "$scratch/err"
    failed=1
  fi
}

expect_one_sentence "nothing named"
expect_one_sentence "an X display with no server" DISPLAY=:4242
expect_one_sentence "a Wayland socket with no compositor" WAYLAND_DISPLAY=nowhere QT_QPA_PLATFORM=wayland
expect_one_sentence "a Wayland session with no compositor" WAYLAND_DISPLAY=nowhere XDG_SESSION_TYPE=wayland
[ "$failed" -eq 0 ] && echo "every start without a display said so in one sentence"
exit "$failed"
