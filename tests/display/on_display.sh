#!/bin/bash
# Runs a command on a real display server of its own, started here and
# stopped when the command ends:
#   on_display.sh x11 COMMAND...          Xvfb, a virtual X11 server
#   on_display.sh x11-dark-gtk3 ...       the same under a dark desktop
#   on_display.sh x11-dark-kde ...        theme (dark_desktop.sh beside
#   on_display.sh x11-dark-qt6ct ...      this file puts it there)
#   on_display.sh wayland COMMAND...      weston, which leaves the title bar
#                                         to the program, on its headless
#                                         backend
#   on_display.sh wayland-sway ...        sway, which draws title bars itself
#                                         (xdg-decoration), headless; the
#                                         wire must show it did
# Each run has its own runtime directory and server, so runs in parallel
# never meet. What a route promises reaches the command's environment, and
# the tests fail where it does not hold: ZIMARELA_DARK_DESKTOP=1 on the
# dark routes, ZIMARELA_TITLE_BAR=game on weston and =compositor on sway.
#
# A crash or a hang must explain itself the first time, even if it comes
# once in hundreds of runs. A command that dies of a signal leaves its core
# in the run's own folder, and the run prints a backtrace of every thread
# from it with gdb. A command still running after ZIMARELA_DISPLAY_TIMEOUT
# seconds (240 unless told, below the 300 that ctest gives these routes)
# has every thread of every process it started printed by gdb, and is then
# ended.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
kind=$1
shift
limit=${ZIMARELA_DISPLAY_TIMEOUT:-240}
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

runtime=$(mktemp -d)
chmod 700 "$runtime"
server=
sway_runtime=
command_group=
# Whatever ends the run, the command's processes, the server and the
# folders go, and nothing here changes the run's status.
cleanup() {
  local status=$?
  set +e
  [ -z "$command_group" ] || kill -KILL -- "-$command_group" 2>/dev/null
  [ -z "$server" ] || { kill "$server" && wait "$server"; } 2>/dev/null
  rm -rf "$runtime"
  [ -z "$sway_runtime" ] || rm -rf "$sway_runtime"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

case $kind in
  x11-dark-*)
    set -- "$here/dark_desktop.sh" "${kind#x11-dark-}" "$runtime/config" "$@"
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
      QT_IM_MODULE=none XDG_RUNTIME_DIR="$runtime" ZIMARELA_TITLE_BAR=game "$@"
    ;;
  wayland-sway)
    # sway refuses to run as root; there it runs as nobody, in a runtime
    # directory of its own, and the tests reach its sockets by full path.
    sway_runtime=$(mktemp -d)
    chmod 700 "$sway_runtime"
    as_user=()
    if [ "$(id -u)" -eq 0 ]; then
      chown nobody:nogroup "$sway_runtime"
      as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    printf 'xwayland disable\n' >"$sway_runtime/config"
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$sway_runtime" XDG_RUNTIME_DIR="$sway_runtime" \
      WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
      "${as_user[@]}" sway --config "$sway_runtime/config" >"$runtime/log" 2>&1 &
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
      SWAYSOCK="$ipc" XDG_RUNTIME_DIR="$runtime" ZIMARELA_TITLE_BAR=compositor \
      WAYLAND_DEBUG=client "$@"
    ;;
  *)
    echo "usage: on_display.sh x11|x11-dark-gtk3|x11-dark-kde|x11-dark-qt6ct|wayland|wayland-sway COMMAND..." >&2
    exit 2
    ;;
esac

# Every thread of every process the command has started, from the live
# processes: the command runs in a process group of its own.
explain_hang() {
  local stat line fields pid
  echo "on_display.sh: $program is still running after $limit s;" \
    "every thread of every process it started:" >&2
  for stat in /proc/[0-9]*/stat; do
    line=$(cat "$stat" 2>/dev/null) || continue
    # After the command's name, in parentheses: state, parent, group.
    read -r -a fields <<<"${line##*) }"
    [ "${fields[2]}" = "$command_group" ] || continue
    pid=${stat#/proc/}
    pid=${pid%/stat}
    echo "on_display.sh: process $pid, $(readlink "/proc/$pid/exe" 2>/dev/null || echo '?'):" >&2
    if command -v gdb >/dev/null; then
      gdb -q -nx -batch -ex 'set pagination off' -ex 'thread apply all bt' -p "$pid" 1>&2 || true
    else
      echo "on_display.sh: gdb is missing to read it" >&2
    fi
  done
}

# After a death by a signal: where and how every thread stood.
explain_crash() {
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

# The command runs in a folder of its own, where the kernel writes a core
# (whose name the machine may number) and where nothing else is, and in a
# session of its own, so that everything it starts can be found and ended.
# The sanitizers keep a core from being written unless told otherwise.
cores=$runtime/cores
mkdir "$cores"
if [ "$kind" = wayland-sway ]; then exec 3>"$runtime/wire"; else exec 3>&2; fi
(
  cd "$cores"
  ulimit -c unlimited 2>/dev/null || ulimit -c "$(ulimit -H -c)"
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}disable_coredump=0" exec setsid "$@" 2>&3 3>&-
) &
command_group=$!
sleep "$limit" &
timer=$!
status=0
ended=
wait -n -p ended "$command_group" "$timer" || status=$?
if [ "$ended" = "$timer" ]; then
  explain_hang
  kill -KILL -- "-$command_group" 2>/dev/null || true
  wait "$command_group" 2>/dev/null || true
  echo "on_display.sh: ended $program after $limit s" >&2
  status=124
else
  kill "$timer" 2>/dev/null || true
  explain_crash "$status"
fi
exec 3>&-

if [ "$kind" = wayland-sway ]; then
  # The program's own lines, without the wire's.
  grep -v '^\[[ 0-9.]*\] ' "$runtime/wire" >&2 || true
  [ "$status" -ne 0 ] || "$here/sway_decoration.sh" "$runtime/wire" || status=1
fi
exit "$status"
