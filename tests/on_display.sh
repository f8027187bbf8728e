#!/bin/sh
# Runs a command on a real display server of its own, started here and
# stopped when the command ends:
#   on_display.sh x11 COMMAND...       Xvfb, a virtual X11 server
#   on_display.sh x11-dark COMMAND...  the same, with the desktop's colours
#                                      set dark through qt6ct's platform
#                                      theme, as a desktop user sets them
#   on_display.sh wayland COMMAND...   weston, the reference Wayland
#                                      compositor, on its headless backend
# Each run has its own runtime directory and server, so runs in parallel
# never meet.
set -eu
kind=$1
shift
runtime=$(mktemp -d)
chmod 700 "$runtime"
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT

if [ "$kind" = x11-dark ]; then
  mkdir -p "$runtime/config/qt6ct"
  printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\n' \
    /usr/share/qt6ct/colors/darker.conf >"$runtime/config/qt6ct/qt6ct.conf"
  set -- env QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$runtime/config" ZIMARELA_DARK_DESKTOP=1 "$@"
  kind=x11
fi

case $kind in
  x11)
    # Xvfb picks a free display itself and writes its number once it
    # accepts connections.
    mkfifo "$runtime/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$runtime/display" 2>"$runtime/log" &
    server=$!
    read -r number <"$runtime/display"
    set -- env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=":$number" \
      XDG_RUNTIME_DIR="$runtime" "$@"
    ;;
  wayland)
    XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=wayland-test \
      --width=1280 --height=1024 --idle-time=0 >"$runtime/log" 2>&1 &
    server=$!
    # weston makes its socket when it starts listening; until then only
    # its lock file may be there.
    while [ ! -S "$runtime/wayland-test" ]; do
      kill -0 "$server" 2>/dev/null || { cat "$runtime/log" >&2; exit 1; }
      sleep 0.1
    done
    set -- env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-test \
      XDG_RUNTIME_DIR="$runtime" "$@"
    ;;
  *)
    echo "usage: on_display.sh x11|x11-dark|wayland COMMAND..." >&2
    exit 2
    ;;
esac

status=0
"$@" || status=$?
exit "$status"
