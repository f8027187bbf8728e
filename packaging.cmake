# The Debian package: `cpack -G DEB` in a build tree installs the same tree
# as `cmake --install --prefix /usr`, where Debian packages belong whatever
# prefix the tree was configured with (the desktop entry's Exec follows the
# prefix at install time).
set(CPACK_PACKAGE_NAME "zimarela")
set(CPACK_PACKAGE_VENDOR "The Zimarela developers")
# The project has no mail host of its own yet; .invalid can never reach
# anyone by mistake.
set(CPACK_PACKAGE_CONTACT "The Zimarela developers <zimarela@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "door game about choosing under uncertainty")
# Below the summary, lines as dpkg shows them: under 80 columns, a lone dot
# for a blank line.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Behind one of eight doors waits the jackpot, behind the other seven a\n"
  "cabbage. Pick a door straight away, or ask the host to open cabbage doors\n"
  "first, one at a time; after the fifth the sponsor forbids more hints and\n"
  "you must choose.\n"
  ".\n"
  "A lost game explains how your chance rose from 1/8 to 1/3 while the host\n"
  "opened doors. The window counts the games and the wins of the session.\n"
  "The game is in Bulgarian and runs on X11 and Wayland desktops.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# The program's debug information goes into a package of its own,
# zimarela-dbgsym, under /usr/lib/debug/.build-id where gdb looks for it by
# the program's build id, as Debian ships its own packages' symbols; the
# program in the main package is stripped by that split. The split sees
# only what is not stripped yet, so CPack must not strip first.
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
# The split's stripping leaves the compilers' version notes in .comment;
# Debian drops them from its own packages, so they go before the split.
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/drop_comment.cmake")
set(CPACK_ZIMARELA_PROGRAM "${ZIMARELA_INSTALL_GAMESDIR}/zimarela")
set(CPACK_OBJCOPY "${CMAKE_OBJCOPY}")
# One package of everything, the Debian-only files included, which a plain
# install leaves out.
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE "${ZIMARELA_DEBIAN_REVISION}")
# cpack gives the packaged files SOURCE_DATE_EPOCH as their time; it gets
# the build's own when its caller sets none.
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/CPackDate.cmake" CONTENT
  "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n  set(ENV{SOURCE_DATE_EPOCH} @ZIMARELA_SOURCE_DATE_EPOCH@)\nendif()\n"
  @ONLY)
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_BINARY_DIR}/CPackDate.cmake")
# Folders the package makes get the usual modes, whatever the umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own libraries come from dpkg-shlibdeps. The font stands in for Times
# New Roman by metrics; the translations put Qt's own texts (a context
# menu) in Bulgarian. X11 support comes with Qt; Wayland's is a plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
