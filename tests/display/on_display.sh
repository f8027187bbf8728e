#!/bin/sh
# Runs a command on a real display server of its own, started here and
# stopped when the command ends:
#   on_display.sh x11 COMMAND...         Xvfb, a virtual X11 server
#   on_display.sh x11-dark-gtk3 ...      the same under GNOME's dark style,
#                                        as Qt's gtk3 platform theme reads it
#   on_display.sh x11-dark-kde ...       the same under Plasma's Breeze Dark,
#                                        as Qt's own KDE theme reads kdeglobals
#   on_display.sh x11-dark-qt6ct ...     the same under qt6ct's "darker"
#   on_display.sh wayland COMMAND...     weston, which leaves the title bar to
#                                        the program, on its headless backend
#   on_display.sh wayland-sway ...       sway, which draws title bars itself
#                                        (xdg-decoration), headless
# Each run has its own runtime directory and server, so runs in parallel
# never meet. The dark kinds set ZIMARELA_DARK_DESKTOP, which tells the
# tests the desktop palette must have turned dark.
#
# A command that dies of a signal leaves its core in the run's own folder,
# and the run prints a backtrace of every thread from it with gdb: a crash
# that comes once in hundreds of runs must explain itself the first time.
set -eu
kind=$1
shift
# The command runs in a folder of its own (below), so the relative paths it
# names must be made whole first.
for word in "$@"; do
  shift
  case $word in
    /* | -*) ;;
    */*) [ -e "$word" ] && word=$PWD/$word ;;
  esac
  set -- "$@" "$word"
done
# The program itself, before any wrapper goes in front of it: gdb reads
# its core against it. Under valgrind that is the program valgrind runs.
program=$1
if [ "$(basename "$program")" = valgrind ]; then
  for word in "$@"; do
    case $word in
      */valgrind | valgrind | -*) ;;
      *) program=$word && break ;;
    esac
  done
fi

# What a run needs beyond the build's own dependencies. Without it the run
# cannot happen here, which ctest learns from status 77: skipped, not
# failed. ZIMARELA_QT_PLUGINS names Qt's plugin folder.
skip() {
  echo "on_display.sh: $1 is missing, so the $kind run is skipped" >&2
  exit 77
}
need_program() { command -v "$1" >/dev/null || skip "$1"; }
need_file() { [ -e "$1" ] || skip "$1"; }
plugins=${ZIMARELA_QT_PLUGINS:-}
case $kind in
  x11*) need_program Xvfb ;;
  wayland) need_program weston; need_file "$plugins/platforms/libqwayland-generic.so" ;;
  wayland-sway) need_program sway; need_file "$plugins/platforms/libqwayland-generic.so" ;;
esac
case $kind in
  x11-dark-gtk3) need_file "$plugins/platformthemes/libqgtk3.so" ;;
  x11-dark-qt6ct)
    need_file "$plugins/platformthemes/libqt6ct.so"
    need_file /usr/share/qt6ct/colors/darker.conf
    ;;
esac
runtime=$(mktemp -d)
chmod 700 "$runtime"
server=
sway_runtime=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$runtime"
  [ -z "$sway_runtime" ] || rm -rf "$sway_runtime"
}
trap cleanup EXIT

case $kind in
  x11-dark-gtk3)
    # GNOME's dark style as the platform theme sees it; the theme plugin
    # comes with qt6-gtk-platformtheme, which Qt's own GUI library
    # recommends.
    set -- env -u QT_QPA_PLATFORMTHEME -u KDE_SESSION_VERSION XDG_CONFIG_HOME="$runtime/config" \
      ZIMARELA_DARK_DESKTOP=1 XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3 \
      GTK_THEME=Adwaita:dark "$@"
    kind=x11
    ;;
  x11-dark-kde)
    # Plasma's Breeze Dark colours as Plasma writes them; with no Plasma
    # plugin installed Qt's built-in KDE theme reads them.
    mkdir -p "$runtime/config"
    cat >"$runtime/config/kdeglobals" <<'COLOURS'
[General]
ColorScheme=BreezeDark

[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241

[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252

[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241

[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199

[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199
COLOURS
    set -- env -u QT_QPA_PLATFORMTHEME -u GTK_THEME XDG_CONFIG_HOME="$runtime/config" \
      ZIMARELA_DARK_DESKTOP=1 XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 "$@"
    kind=x11
    ;;
  x11-dark-qt6ct)
    # A desktop user's choice in qt6ct. The tests may rewrite the file to
    # change the scheme while the game runs.
    mkdir -p "$runtime/config/qt6ct"
    printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\n' \
      /usr/share/qt6ct/colors/darker.conf >"$runtime/config/qt6ct/qt6ct.conf"
    set -- env -u GTK_THEME -u XDG_CURRENT_DESKTOP -u KDE_SESSION_VERSION \
      XDG_CONFIG_HOME="$runtime/config" ZIMARELA_DARK_DESKTOP=1 QT_QPA_PLATFORMTHEME=qt6ct \
      ZIMARELA_QT6CT_CONF="$runtime/config/qt6ct/qt6ct.conf" "$@"
    kind=x11
    ;;
esac

# Waits until a path exists (a socket a server makes once it listens),
# giving up at once if the server has died.
await() {
  while [ ! -e "$1" ]; do
    kill -0 "$server" 2>/dev/null || { cat "$2" >&2; exit 1; }
    sleep 0.1
  done
}

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
    await "$runtime/wayland-test" "$runtime/log"
    # Headless weston has no seat, and Qt 6.4's Wayland text input asks
    # the missing seat for its text input whenever a text box draws its
    # cursor: a null pointer. A desktop always has a seat; here Qt is told
    # to use no input method at all.
    set -- env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-test \
      QT_IM_MODULE=none XDG_RUNTIME_DIR="$runtime" "$@"
    ;;
  wayland-sway)
    # sway refuses to run as root; there it runs as nobody, in a runtime
    # directory of its own, and the tests reach its sockets by full path.
    sway_runtime=$(mktemp -d)
    chmod 700 "$sway_runtime"
    as_user=
    if [ "$(id -u)" -eq 0 ]; then
      chown nobody:nogroup "$sway_runtime"
      as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups"
    fi
    printf 'xwayland disable\n' >"$sway_runtime/config"
    # shellcheck disable=SC2086
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$sway_runtime" XDG_RUNTIME_DIR="$sway_runtime" \
      WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
      $as_user sway --config "$sway_runtime/config" >"$runtime/log" 2>&1 &
    server=$!
    # sway names its sockets itself, and makes them before it runs: ready
    # is when it answers on its IPC with its output. A TERM sent before
    # that is lost, and the cleanup would wait for sway for ever.
    socket=
    ipc=
    until [ -n "$socket" ] && [ -n "$ipc" ] &&
      swaymsg -s "$ipc" -r -t get_outputs 2>/dev/null | grep -q '"name"'; do
      kill -0 "$server" 2>/dev/null || { cat "$runtime/log" >&2; exit 1; }
      socket=$(find "$sway_runtime" -maxdepth 1 -type s -name 'wayland-*' | head -n 1)
      ipc=$(find "$sway_runtime" -maxdepth 1 -type s -name 'sway-ipc.*.sock' | head -n 1)
      sleep 0.1
    done
    # The client's side of the wire shows the game asking for a decoration
    # and sway's answer; checked below.
    set -- env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$socket" \
      SWAYSOCK="$ipc" XDG_RUNTIME_DIR="$runtime" WAYLAND_DEBUG=client "$@"
    ;;
  *)
    echo "usage: on_display.sh x11|x11-dark-gtk3|x11-dark-kde|x11-dark-qt6ct|wayland|wayland-sway COMMAND..." >&2
    exit 2
    ;;
esac

# The command runs in a folder of its own, where the kernel writes a core
# (whose name the machine may number), and where nothing else is. The
# sanitizers keep a core from being written unless told otherwise; their
# own report on stderr names only the faulting thread.
cores=$runtime/cores
mkdir "$cores"
run() {
  (
    cd "$cores"
    ulimit -c unlimited 2>/dev/null || ulimit -c "$(ulimit -H -c)"
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}disable_coredump=0" exec "$@"
  )
}

# After a death by a signal: where and how every thread stood.
explain() {
  [ "$1" -gt 128 ] || return 0
  echo "on_display.sh: $program died of signal $(($1 - 128)) ($(kill -l "$1" 2>/dev/null || echo ?))" >&2
  core=$(find "$cores" -maxdepth 1 -type f \( -name 'core*' -o -name 'vgcore*' \) | head -n 1)
  if [ -z "$core" ]; then
    echo "on_display.sh: it left no core here; the kernel sends cores to" \
      "'$(cat /proc/sys/kernel/core_pattern 2>/dev/null)'" >&2
  elif ! command -v gdb >/dev/null; then
    echo "on_display.sh: its core is $core, but gdb is missing to read it" >&2
  else
    echo "on_display.sh: the backtrace of every thread, from its core:" >&2
    gdb -q -nx -batch -ex 'set pagination off' -ex 'thread apply all bt' \
      "$(command -v "$program")" "$core" 1>&2 || true
  fi
}

status=0
if [ "$kind" != wayland-sway ]; then
  run "$@" || status=$?
  explain "$status"
  exit "$status"
fi

run "$@" 2>"$runtime/wire" || status=$?
grep -v '^\[[ 0-9.]*\] ' "$runtime/wire" >&2 || true
explain "$status"
# libwayland names objects "name@id" up to 1.21 (Debian 12) and "name#id",
# after the queue's name, from 1.22 on (Debian 13).
if ! grep -q -E -- '-> zxdg_decoration_manager_v1[@#][0-9]+\.get_toplevel_decoration\(' "$runtime/wire"; then
  echo "on_display.sh: the game never asked sway for a decoration" >&2
  status=1
elif ! grep -q -E '\] (\{[^}]*\} )?zxdg_toplevel_decoration_v1[@#][0-9]+\.configure\(2\)' \
  "$runtime/wire"; then
  echo "on_display.sh: sway never answered with a server-side decoration" >&2
  status=1
fi
exit "$status"
