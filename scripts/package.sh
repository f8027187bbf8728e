#!/usr/bin/env bash
# Installs what is missing, builds the Debian package and its debug symbols'
# package and says where they are.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

cmake --preset release
cmake --build --preset release
# The archive's members take their modes from the umask.
(umask 022 && cmake -DBUILD_DIR=build/release -DOUT=build/release -P cmake/make_debs.cmake)
deb=$(echo build/release/zimarela_*.deb)
symbols=$(echo build/release/zimarela-dbgsym_*.deb)
echo "Built $deb; install it with: sudo apt-get install ./$deb"
echo "Its debug symbols, for reading a crash: sudo apt-get install ./$symbols"
