# Sourced by fresh-check.sh and release.sh: an X server outside the fresh
# roots, whose socket alone is shared into them, the check that the .deb
# and its symbols' package install with apt-get into a fresh root and that
# the installed game's window maps there, and the check that a core of the
# installed game reads there with file and line. Needs root, fresh-root.sh
# and xvfb and x11-utils.

# start_display WORK: starts Xvfb on a display it picks itself, sets
# $display and $display_number and $display_server for the other functions.
start_display() {
  mkfifo "$1/ready"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1/ready" &
  display_server=$!
  read -r display_number <"$1/ready"
  display=:$display_number
}

# wait_for_window PID DESCRIPTION: waits until the game's window maps on
# the display. Fails if PID ends first.
wait_for_window() {
  while ! xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Зимарела"'; do
    if ! kill -0 "$1" 2>/dev/null; then
      echo "$2 ended before the game's window mapped" >&2
      return 1
    fi
    sleep 1
  done
  echo "the game's window mapped: $2"
}

# until_window ROOT COMMAND...: starts COMMAND in ROOT and waits until the
# game's window maps, then closes the game. Fails if the command ends
# first. The command may build first, so there is no short time limit.
until_window() {
  local root=$1 pid
  shift
  in_root "$root" env DISPLAY="$display" "$@" &
  pid=$!
  wait_for_window "$pid" "$*" || return 1
  stop_root "$root"
  wait "$pid" 2>/dev/null || true
}

# install_and_start SUITE ROOT DEB [SYMBOLS_DEB]: a fresh root of SUITE at
# ROOT, DEB (and its symbols' package) installed there with apt-get, and
# the installed game started until its window maps. The caller drops ROOT.
install_and_start() {
  local suite=$1 root=$2 program debs=()
  shift 2
  make_root "$suite" "$root" "$display_number"
  mkdir "$root/src"
  cp "$@" "$root/src/"
  for deb in "$@"; do debs+=("./$(basename "$deb")"); done
  in_root "$root" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  in_root "$root" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${debs[@]}"
  program=$(in_root "$root" dpkg -L zimarela | grep -E '/(bin|games)/zimarela$')
  until_window "$root" "$program"
}

# crash_reads_in ROOT: where install_and_start put the game and its symbols'
# package, as a player would have them, takes a core of the running game
# and has gdb read it: thread 1 must go down to main with its file and
# line. Then, with the symbols' package removed, the same core must show
# no file and line of the game's, so that they came from that package.
crash_reads_in() {
  local root=$1 program runner pid core trace
  program=$(in_root "$root" dpkg -L zimarela | grep -E '/(bin|games)/zimarela$')
  in_root "$root" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends gdb >/dev/null
  rm -rf "$root/crash"
  mkdir "$root/crash"
  # The game runs in /crash, where a core is written if the kernel writes
  # cores to files at all; its own process id is kept there.
  in_root "$root" env DISPLAY="$display" bash -c \
    'cd /crash && echo $$ >pid && { ulimit -c unlimited || ulimit -c "$(ulimit -H -c)"; } && exec "$0"' \
    "$program" &
  runner=$!
  wait_for_window "$runner" "$program" || return 1
  pid=$(cat "$root/crash/pid")
  core=$(core_by_signal "$root" "$pid") || core=$(core_by_gdb "$root" "$pid") || return 1
  stop_root "$root"
  wait "$runner" 2>/dev/null || true

  trace=$(in_root "$root" gdb -q -nx -batch -ex 'thread apply 1 bt' "$program" "$core" 2>&1)
  echo "$trace"
  if ! grep -Eq " main \([^)]*\) at [^ ]*app/main\.cpp:[0-9]+" <<<"$trace"; then
    echo "gdb does not read thread 1 down to main's file and line with the symbols' package" >&2
    return 1
  fi
  in_root "$root" env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q zimarela-dbgsym >/dev/null
  trace=$(in_root "$root" gdb -q -nx -batch -ex 'thread apply 1 bt' "$program" "$core" 2>&1)
  echo "$trace"
  if ! grep -q '^#0 ' <<<"$trace" || grep -q 'app/main\.cpp' <<<"$trace"; then
    echo "without the symbols' package gdb must read the core, but name no file of the game's" >&2
    return 1
  fi
  echo "a core of the installed game reads with file and line, from its symbols' package alone"
}

# core_by_signal ROOT PID: the game killed by SIGSEGV, as a crash kills it,
# where the kernel writes cores to a file (in the crashing program's folder);
# prints the core's path inside ROOT. Fails where cores go to a program,
# such as systemd-coredump outside the root, or are not allowed.
core_by_signal() {
  local root=$1 pid=$2 core
  case $(cat /proc/sys/kernel/core_pattern) in
    '|'* | */*) return 1 ;;
  esac
  [ "$(ulimit -H -c)" != 0 ] || return 1
  kill -SEGV "$pid"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.2; done
  core=$(cd "$root/crash" && find . -maxdepth 1 -type f -name 'core*' | head -n 1)
  [ -n "$core" ] || return 1
  echo "/crash/${core#./}"
}

# core_by_gdb ROOT PID: where the root cannot write cores, gdb writes one of
# the live game; prints its path inside ROOT.
core_by_gdb() {
  in_root "$1" gdb -q -nx -batch -p "$2" -ex 'generate-core-file /crash/core.gdb' >&2 || return 1
  echo /crash/core.gdb
}
