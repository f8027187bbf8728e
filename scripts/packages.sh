# Sourced by the other scripts: the Debian packages each task needs, by
# names that Debian 12 and Debian 13 both have, and a helper that installs
# only what is missing.

# Building the game and the window; the window asks the Wayland compositor
# through libwayland-client whether it draws title bars.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libwayland-dev fonts-liberation2)
# Running it on a desktop: X11 comes with Qt itself; Wayland needs its
# plugin. Qt's own Bulgarian texts (context menus) come as translations.
RUN_PACKAGES=(qt6-wayland qt6-translations-l10n)
# Building the web page: emscripten for the WebAssembly, Node.js to run it
# once to draw the window's first frame, and fontTools (with brotli for
# WOFF2) to cut the window's font down for the page.
WEB_PACKAGES=(cmake ninja-build emscripten nodejs fonts-liberation2 python3-fonttools python3-brotli)
# Testing the page in three engines: Chromium and WebKitGTK (its driver,
# and the MiniBrowser of libwebkit2gtk-4.1-0, on Xvfb) driven by Selenium,
# Firefox ESR over its own WebDriver BiDi through python3-websocket; PIL to
# read their screenshots; Node.js and npm for Lighthouse (npm_tools), with
# the certificate authorities npm checks its downloads against.
WEB_TEST_PACKAGES=(chromium chromium-driver python3-selenium firefox-esr python3-pil
  webkit2gtk-driver libwebkit2gtk-4.1-0 xvfb python3-websocket nodejs ca-certificates)
# A Node.js from elsewhere may bring its own npm, which Debian's conflicts with.
command -v npm >/dev/null || WEB_TEST_PACKAGES+=(npm)
# Building the .deb: CPack calls dpkg-shlibdeps, and file to find binaries.
PACKAGE_PACKAGES=(dpkg-dev file)
# The whole test suite: both compilers, clang's fuzzer runtime, the linters,
# valgrind, the desktop and packaging validators, the X11 and Wayland
# servers the window suite runs on (weston draws no title bars, sway does),
# two of the dark desktop themes it is checked under (GNOME's through Qt's
# gtk3 theme, and qt6ct; Qt reads KDE's colours by itself), and the web
# page with its browsers; gdb reads the core of anything that crashes on a
# display server; python3-xlib speaks X11 for the clipboard manager and the
# keys of the copy-then-close test.
TEST_PACKAGES=(clang libclang-rt-dev clang-format clang-tidy libgtest-dev librapidcheck-dev
  libbenchmark-dev valgrind gdb desktop-file-utils appstream lintian xvfb weston sway
  qt6-gtk-platformtheme qt6ct python3-xlib
  "${PACKAGE_PACKAGES[@]}" "${WEB_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}")

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

# Installs the npm tools that tests/web/package-lock.json pins (Lighthouse),
# unless the ones installed came from this very lock file. npm takes the
# packages from wherever the machine's npm is set to take them.
npm_tools() {
  local folder=tests/web
  cmp -s "$folder/package-lock.json" "$folder/node_modules/.installed-from-lock" && return 0
  echo "Installing the npm tools of $folder/package-lock.json"
  (cd "$folder" && npm ci --no-audit --no-fund) || return 1
  cp "$folder/package-lock.json" "$folder/node_modules/.installed-from-lock"
}
