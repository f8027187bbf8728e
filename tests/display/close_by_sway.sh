#!/bin/sh
# Starts the game on sway and closes its window as a click on sway's close
# box does (xdg_toplevel.close): the game must end, with status 0.
#   close_by_sway.sh APP_ID GAME
# Run on the sway route, whose time limit turns a game that never ends
# into a failure with the backtrace of its every thread.
set -eu
app_id=$1
"$2" &
game=$!
shown=
until swaymsg -t get_tree 2>/dev/null | grep -q "\"app_id\": \"$app_id\""; do
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game" 2>/dev/null; then
  shown=yes
  swaymsg "[app_id=\"$app_id\"] kill" >/dev/null
fi
status=0
wait "$game" || status=$?
if [ -z "$shown" ]; then
  echo "close_by_sway.sh: the game ended with status $status before sway listed its window" >&2
  # A death by a signal keeps its status, so that the route reads the core.
  [ "$status" -gt 128 ] && exit "$status"
  exit 1
fi
echo "close_by_sway.sh: sway closed the window and the game ended with status $status"
exit "$status"
