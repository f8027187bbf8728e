#!/usr/bin/env bash
# Installs what is missing, builds the Debian package and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

cmake --preset release
cmake --build --preset release
rm -f build/release/zimarela_*.deb
# The archive's members take their modes from the umask.
(cd build/release && umask 022 && cpack -G DEB)
deb=$(echo build/release/zimarela_*.deb)
echo "Built $deb; install it with: sudo apt-get install ./$deb"
