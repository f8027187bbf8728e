# Sourced by fresh-check.sh: makes, enters and removes a minimal Debian root,
# the closest thing to a newcomer's fresh machine. Needs root.
#
# debootstrap makes one pristine root per release, once, into $ROOT_CACHE;
# every run works in a copy of it, and nothing is ever installed into the
# cache itself. The packages come from the archive this machine's own apt
# sources name, so a machine behind a local mirror uses that mirror.
ROOT_CACHE=${ZIMARELA_ROOT_CACHE:-/var/cache/zimarela-roots}

# debian_archive: prints the first archive URI that this machine's apt
# sources use for a release suite (bookworm, trixie, stable: no
# -updates or -security), from the deb822 files in sources.list.d or from
# the one-line sources.list. Fails if there is none.
debian_archive() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    # Stanzas are separated by blank lines; fields are "Name: value".
    awk '
      function flush() {
        if (!found && types ~ /(^| )deb( |$)/ && enabled != "no" && uris != "") {
          n = split(suites, list, " ")
          for (i = 1; i <= n; i++) if (list[i] !~ /-/) found = 1
          if (found) { split(uris, first, " "); print first[1]; exit }
        }
        types = ""; uris = ""; suites = ""; enabled = ""
      }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      tolower($1) == "types:" { $1 = ""; types = $0 }
      tolower($1) == "uris:" { $1 = ""; sub(/^ +/, ""); uris = $0 }
      tolower($1) == "suites:" { $1 = ""; suites = $0 }
      tolower($1) == "enabled:" { enabled = tolower($2) }
      END { flush() }
    ' "$file" | grep -m 1 . && return 0
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    # "deb [options] URI SUITE COMPONENT..."
    awk '
      $1 != "deb" { next }
      { i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ } }
      $(i + 1) !~ /-/ { print $i; exit }
    ' "$file" | grep -m 1 . && return 0
  done
  echo "No Debian archive in this machine's apt sources; no fresh root." >&2
  return 1
}

# pristine_root SUITE: prints the cached pristine root, making it first if
# there is none.
pristine_root() {
  local suite=$1 cached=$ROOT_CACHE/$1 archive host
  if [ ! -d "$cached" ]; then
    archive=$(debian_archive) || return 1
    host=$(echo "$archive" | sed -n 's|^[a-z+]*://\([^/:]*\).*|\1|p')
    if [ -n "$host" ] && ! getent hosts "$host" >/dev/null; then
      echo "The Debian archive ($archive) cannot be reached; no fresh root." >&2
      return 1
    fi
    mkdir -p "$ROOT_CACHE"
    rm -rf "$cached.partial"
    debootstrap --variant=minbase "$suite" "$cached.partial" "$archive" >&2 ||
      { echo "debootstrap $suite from $archive failed" >&2; return 1; }
    mv "$cached.partial" "$cached"
  fi
  echo "$cached"
}

# make_root SUITE DIR [DISPLAY_NUMBER]: a fresh copy of the pristine root at
# DIR, with the kernel's file systems and the host's name resolution and
# added certificate authorities, ready to enter. With a display number, that one X server's socket is shared
# into the root, and no other.
make_root() {
  local pristine socket
  pristine=$(pristine_root "$1") || return 1
  cp -a "$pristine" "$2"
  cp /etc/resolv.conf "$2/etc/resolv.conf"
  # A bookworm root has no /etc/hosts, so "localhost", where the browser
  # drivers listen, would go to the name server and fail.
  [ -e "$2/etc/hosts" ] || printf '127.0.0.1\tlocalhost\n::1\t\tlocalhost ip6-localhost ip6-loopback\n' \
    >"$2/etc/hosts"
  # The certificate authorities this machine adds to Debian's, for a
  # network that reaches the package sources through a proxy of its own:
  # npm checks their certificates, and ca-certificates takes these in
  # when it is installed there.
  if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    mkdir -p "$2/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$2/usr/local/share/ca-certificates/"
  fi
  mount -t proc proc "$2/proc"
  mount -t sysfs sys "$2/sys"
  mount --rbind /dev "$2/dev"
  mount --make-rslave "$2/dev"
  mkdir -p -m 1777 "$2/tmp/.X11-unix"
  if [ -n "${3:-}" ]; then
    socket=/tmp/.X11-unix/X$3
    touch "$2$socket"
    mount --bind "$socket" "$2$socket"
  fi
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
  local dir mount
  [ -d "$1" ] || return 0
  stop_root "$1"
  dir=$(realpath "$1")
  # Deepest first, so each mount point is free when its turn comes.
  { findmnt -rn -o TARGET | grep "^$dir/" || true; } | sort -r | while read -r mount; do
    umount "$mount" 2>/dev/null || umount -l "$mount" 2>/dev/null || true
  done
  if findmnt -rn -o TARGET | grep -q "^$dir/"; then
    echo "still mounted under $1; left in place" >&2
    return 1
  fi
  rm -rf "$1"
}
