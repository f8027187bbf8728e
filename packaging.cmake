# The Debian package: `cpack -G DEB` in a build tree installs the same tree
# as `cmake --install --prefix /usr`, where Debian packages belong whatever
# prefix the tree was configured with (the desktop entry's Exec follows the
# prefix at install time).
set(CPACK_PACKAGE_NAME "zimarela")
set(CPACK_PACKAGE_VENDOR "The Zimarela developers")
set(CPACK_PACKAGE_CONTACT "The Zimarela developers <team@zimarela.bg>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "door game about choosing under uncertainty")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Behind one of eight doors waits the jackpot, behind the other seven a cabbage. "
  "Pick a door, or ask the host to open cabbage doors first; after the fifth the "
  "sponsor forbids more hints. The game is in Bulgarian.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zimarela.bg/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's font by metrics; Qt's own libraries come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, qt6-wayland")

include(CPack)
