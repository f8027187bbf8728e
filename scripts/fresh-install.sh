# Sourced by fresh-check.sh and release.sh: an X server outside the fresh
# roots, whose socket alone is shared into them, and the check that a .deb
# installs with apt-get into a fresh root and that the installed game's
# window maps there. Needs root, fresh-root.sh and xvfb and x11-utils.

# start_display WORK: starts Xvfb on a display it picks itself, sets
# $display and $display_number and $display_server for the other functions.
start_display() {
  mkfifo "$1/ready"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1/ready" &
  display_server=$!
  read -r display_number <"$1/ready"
  display=:$display_number
}

# until_window ROOT COMMAND...: starts COMMAND in ROOT and waits until the
# game's window maps, then closes the game. Fails if the command ends
# first. The command may build first, so there is no short time limit.
until_window() {
  local root=$1 pid
  shift
  in_root "$root" env DISPLAY="$display" "$@" &
  pid=$!
  while ! xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Зимарела"'; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "$* ended before the game's window mapped" >&2
      return 1
    fi
    sleep 1
  done
  echo "the game's window mapped: $*"
  stop_root "$root"
  wait "$pid" 2>/dev/null || true
}

# install_and_start SUITE ROOT DEB: a fresh root of SUITE at ROOT, DEB
# installed there with apt-get, and the installed game started until its
# window maps. The caller drops ROOT.
install_and_start() {
  local suite=$1 root=$2 deb=$3 program
  make_root "$suite" "$root" "$display_number"
  mkdir "$root/src"
  cp "$deb" "$root/src/"
  in_root "$root" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  in_root "$root" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "./$(basename "$deb")"
  program=$(in_root "$root" dpkg -L zimarela | grep -E '/(bin|games)/zimarela$')
  until_window "$root" "$program"
}
