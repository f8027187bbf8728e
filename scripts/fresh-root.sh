# Sourced by fresh-check.sh: makes, enters and removes a minimal Debian root,
# the closest thing to a newcomer's fresh machine. Needs root.
#
# A pristine root per release, straight from debootstrap, is cached in
# $ROOT_CACHE and copied for every run; nothing is ever installed into the
# cache itself.
ROOT_CACHE=${ZIMARELA_ROOT_CACHE:-/var/cache/zimarela-roots}
MIRROR=http://deb.debian.org/debian

# pristine_root SUITE: prints the cached pristine root, making it first if
# there is none.
pristine_root() {
  local suite=$1 cached=$ROOT_CACHE/$1
  if [ ! -d "$cached" ]; then
    if ! getent hosts deb.debian.org >/dev/null; then
      echo "The Debian archive (deb.debian.org) cannot be reached; no fresh root." >&2
      return 1
    fi
    mkdir -p "$ROOT_CACHE"
    rm -rf "$cached.partial"
    debootstrap --variant=minbase "$suite" "$cached.partial" "$MIRROR" >&2 ||
      { echo "debootstrap $suite failed" >&2; return 1; }
    mv "$cached.partial" "$cached"
  fi
  echo "$cached"
}

# make_root SUITE DIR: a fresh copy of the pristine root at DIR, with the
# kernel's file systems and the host's name resolution, ready to enter.
make_root() {
  local pristine
  pristine=$(pristine_root "$1") || return 1
  cp -a "$pristine" "$2"
  cp /etc/resolv.conf "$2/etc/resolv.conf"
  mount -t proc proc "$2/proc"
  mount -t sysfs sys "$2/sys"
  mount --rbind /dev "$2/dev"
  mount --make-rslave "$2/dev"
  # The X server the checks watch runs outside; its socket is shared in.
  mkdir -p "$2/tmp/.X11-unix"
  mount --bind /tmp/.X11-unix "$2/tmp/.X11-unix"
}

# in_root DIR COMMAND...: runs COMMAND in the root with a clean
# environment, as root, from /src.
in_root() {
  local dir=$1
  shift
  env -i HOME=/root LANG=C.UTF-8 TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    XDG_RUNTIME_DIR=/run/user/0 \
    chroot "$dir" /bin/bash -c 'mkdir -p -m 0700 /run/user/0 && cd /src 2>/dev/null; "$@"' bash "$@"
}

# stop_root DIR: ends every process whose root is DIR.
stop_root() {
  local dir process
  dir=$(realpath "$1")
  for process in /proc/[0-9]*; do
    [ "$(readlink "$process/root" 2>/dev/null)" = "$dir" ] && kill -9 "${process#/proc/}" 2>/dev/null
  done
  return 0
}

# drop_root DIR: ends what runs there, unmounts everything under DIR, then
# removes it; nothing is removed while anything is still mounted there.
drop_root() {
  [ -d "$1" ] || return 0
  stop_root "$1"
  umount -R "$1/tmp/.X11-unix" "$1/dev" "$1/sys" "$1/proc" 2>/dev/null || true
  if findmnt -rn -o TARGET | grep -q "^$(realpath "$1")/"; then
    echo "still mounted under $1; left in place" >&2
    return 1
  fi
  rm -rf "$1"
}
