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
# from it with gdb, read against the program that wrote it. A command still
# running after ZIMARELA_DISPLAY_TIMEOUT seconds (240 unless told, below
# the 300 that ctest gives these routes) has every thread of every process
# it started printed by gdb, and is then ended; where gdb may not attach to
# them, they are ended by SIGABRT instead and explained from their cores.
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
# The program itself, before any wrapper goes in front of it, for the
# run's messages; and for a core that does not name the program that wrote
# it, as valgrind's do not: under valgrind, the program valgrind runs.
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
timer=
# Whatever ends the run, the command's processes, the timer, the server and
# the folders go, and nothing here changes the run's status. The timer
# holds ctest's output pipe for as long as it sleeps.
cleanup() {
  local status=$?
  set +e
  [ -z "$command_group" ] || kill -KILL -- "-$command_group" 2>/dev/null
  [ -z "$timer" ] || kill "$timer" 2>/dev/null
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

# The live processes of the command's process group, from /proc.
group_processes() {
  local stat line fields
  for stat in /proc/[0-9]*/stat; do
    line=$(cat "$stat" 2>/dev/null) || continue
    # After the command's name, in parentheses: state, parent, group.
    read -r -a fields <<<"${line##*) }"
    [ "${fields[2]}" = "$command_group" ] || continue
    case ${fields[0]} in Z | X) continue ;; esac
    stat=${stat#/proc/}
    echo "${stat%/stat}"
  done
}

# Every thread of every process the command has started. gdb attaches to
# the live processes; but it is their sibling, not their parent, so where
# Yama's ptrace_scope is 1 or more, or where ptrace is refused (many
# containers), it cannot. Those processes are then ended one by one with
# SIGABRT, each leaving its core before the next is sent, so that no core
# overwrites another, and their cores are read as a crash's are.
explain_hang() {
  local pid said unread=()
  echo "on_display.sh: $program is still running after $limit s;" \
    "every thread of every process it started:" >&2
  for pid in $(group_processes); do
    echo "on_display.sh: process $pid, $(readlink "/proc/$pid/exe" 2>/dev/null || echo '?'):" >&2
    if ! command -v gdb >/dev/null; then
      echo "on_display.sh: gdb is missing to read it" >&2
      continue
    fi
    said=$(gdb -q -nx -batch -ex 'set pagination off' -ex 'thread apply all bt' -p "$pid" 2>&1) || true
    printf '%s\n' "$said" >&2
    grep -q '^#[0-9]' <<<"$said" || unread+=("$pid")
  done
  [ "${#unread[@]}" -gt 0 ] || return 0
  echo "on_display.sh: gdb could not attach to ${unread[*]}; ending each with" \
    "SIGABRT to read its core instead" >&2
  for pid in $(printf '%s\n' "${unread[@]}" | sort -rn); do
    kill -ABRT "$pid" 2>/dev/null || continue
    # Bounded, for a process the signal cannot reach (one stuck in the
    # kernel): the route's own time limit is near.
    for _ in $(seq 300); do
      group_processes | grep -qx "$pid" || break
      sleep 0.1
    done
    [ ! -e "$cores/core" ] || mv "$cores/core" "$cores/core.$pid"
  done
  explain_cores
}

# The program that wrote a core, as the core itself records it: the file
# mapped where its program headers were (AT_PHDR), which is the program
# the kernel ran, even where a script or a wrapper was the command. A core
# that records neither, as valgrind's, is read against the command's own
# program.
core_program() {
  local phdr start end file
  phdr=$(gdb -q -nx -batch -ex 'info auxv' -c "$1" 2>/dev/null |
    awk '$2 == "AT_PHDR" { print $NF }') || true
  if [ -n "$phdr" ]; then
    while read -r start end _ _ file; do
      case $start in 0x*) ;; *) continue ;; esac
      if ((start <= phdr && phdr < end)) && [ -f "$file" ]; then
        echo "$file"
        return
      fi
    done < <(gdb -q -nx -batch -ex 'info proc mappings' -c "$1" 2>/dev/null)
  fi
  command -v "$program" || echo "$program"
}

# Where and how every thread stood, from each core in the run's folder.
explain_cores() {
  local core writer found=
  for core in "$cores"/core* "$cores"/vgcore*; do
    [ -f "$core" ] || continue
    found=yes
    if ! command -v gdb >/dev/null; then
      echo "on_display.sh: a core is $core, but gdb is missing to read it" >&2
      continue
    fi
    writer=$(core_program "$core")
    echo "on_display.sh: the backtrace of every thread, from the core of $writer:" >&2
    gdb -q -nx -batch -ex 'set pagination off' -ex 'thread apply all bt' \
      "$writer" "$core" 1>&2 || true
  done
  [ -n "$found" ] ||
    echo "on_display.sh: no core was left here; the kernel sends cores to" \
      "'$(cat /proc/sys/kernel/core_pattern 2>/dev/null)'" >&2
}

# After a death by a signal: where and how every thread stood.
explain_crash() {
  [ "$1" -gt 128 ] || return 0
  echo "on_display.sh: $program, or a program it ran, died of signal $(($1 - 128))" \
    "($(kill -l "$1" 2>/dev/null || echo ?))" >&2
  explain_cores
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
