# Sourced by the other scripts: the Debian 12 packages each task needs, and
# a helper that installs only what is missing.

# Building the game and the window.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev fonts-liberation2)
# Running it on a desktop, under X11 or Wayland.
RUN_PACKAGES=(qt6-qpa-plugins qt6-wayland)
# The whole test suite: both compilers, clang's fuzzer runtime, valgrind,
# and the desktop and packaging validators.
TEST_PACKAGES=(clang libclang-rt-14-dev libgtest-dev librapidcheck-dev libbenchmark-dev
  valgrind desktop-file-utils appstream dpkg-dev)

# Installs the named packages that are not installed yet. apt-get update
# runs only when something is missing, so a ready machine is left alone.
ensure_packages() {
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ "${#missing[@]}" -eq 0 ] && return 0

  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Missing packages (${missing[*]}): run this as root or install sudo." >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  echo "Installing ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}
