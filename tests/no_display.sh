#!/bin/sh
# Starts the game where it cannot start on a display and expects status 1,
# never Qt's six-line abort. With no display named it says so in one
# sentence. Where Qt cannot start on what is named, the sentence is
# followed by the one line of Qt's own report that names the cause: an X
# display with no server, an X server that refuses the connection, a
# Wayland socket with no compositor, and a platform that is not installed.
# Usage: no_display.sh PROGRAM
set -u
program=$1
# Without Xvfb or Qt's Wayland plugin some causes cannot be staged here;
# status 77 tells ctest the test was skipped. ZIMARELA_QT_PLUGINS names
# Qt's plugin folder.
for needed in Xvfb "${ZIMARELA_QT_PLUGINS:-}/platforms/libqwayland-generic.so"; do
  if ! command -v "$needed" >/dev/null && [ ! -e "$needed" ]; then
    echo "no_display.sh: $needed is missing, so the test is skipped" >&2
    exit 77
  fi
done
scratch=$(mktemp -d)
chmod 700 "$scratch"
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
failed=0
sentence='zimarela: no display can be reached; start the game from a desktop session.'

# expect WHAT CAUSE VARIABLE=VALUE...: starts the program with only these
# variables set. With CAUSE empty, stderr must be the sentence alone; else
# it must end with the sentence and a line that contains CAUSE. A library
# may print before it on its own (Xlib says why a server refused).
expect() {
  what=$1
  cause=$2
  shift 2
  status=0
  env -i PATH=/usr/bin:/bin HOME="$scratch" XDG_RUNTIME_DIR="$scratch" "$@" "$program" \
    >"$scratch/out" 2>"$scratch/err" || status=$?
  if [ -z "$cause" ]; then
    [ "$(cat "$scratch/err")" = "$sentence" ] && ok=1 || ok=0
  else
    tail -n 2 "$scratch/err" >"$scratch/last"
    [ "$(head -n 1 "$scratch/last")" = "$sentence" ] &&
      [ "$(wc -l <"$scratch/last")" -eq 2 ] &&
      tail -n 1 "$scratch/last" | grep -qF "$cause" && ok=1 || ok=0
  fi
  if [ "$status" -ne 1 ] || [ "$ok" -ne 1 ]; then
    echo "$what: status $status, and on stderr:"
    cat "$scratch/err"
    failed=1
  fi
}

# An X server that takes only clients with its cookie, which the game does
# not have. Xvfb writes its display number once it accepts connections.
printf '\001\000\000\001x\000\0010\000\022MIT-MAGIC-COOKIE-1\000\0200123456789abcdef' \
  >"$scratch/cookie"
mkfifo "$scratch/display"
Xvfb -displayfd 3 -auth "$scratch/cookie" -nolisten tcp 3>"$scratch/display" 2>"$scratch/log" &
server=$!
read -r refusing <"$scratch/display"

expect "nothing named" ""
expect "an X display with no server" "display :4242" DISPLAY=:4242
expect "an X server that refuses the connection" "display :$refusing" DISPLAY=":$refusing"
expect "a Wayland socket with no compositor" "wl_display" \
  WAYLAND_DISPLAY=nowhere QT_QPA_PLATFORM=wayland
expect "a Wayland session with no compositor" "wl_display" \
  WAYLAND_DISPLAY=nowhere XDG_SESSION_TYPE=wayland
expect "a platform that is not installed" 'platform plugin "nowhere"' QT_QPA_PLATFORM=nowhere
[ "$failed" -eq 0 ] && echo "every start without a display said so, and named the cause"
exit "$failed"
