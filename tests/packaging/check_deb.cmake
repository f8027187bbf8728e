# Builds the Debian package from the build tree and checks its name, its
# contents, its dependencies, and that it and the metainfo and manual page
# inside it name the project's one version. Run as:
#   cmake -DBUILD_DIR=... -DAPP_ID=... -DVERSION=... -DSCRATCH=... -P this
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/expectations.cmake")

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(
  COMMAND cpack -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${SCRATCH}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()

file(GLOB debs RELATIVE "${SCRATCH}" "${SCRATCH}/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT debs MATCHES "^zimarela_[0-9]+\\.[0-9]+\\.[0-9]+-1_${arch}\\.deb$")
  message(FATAL_ERROR "${debs} is not named name_version-release_arch.deb")
endif()
set(deb "${SCRATCH}/${debs}")

execute_process(COMMAND dpkg-deb --contents "${deb}" OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./[^\n]*[^/\n]\n" entries "${listing}")
set(files "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^\\./(.*)\n$" "\\1" entry "${entry}")
  list(APPEND files "${entry}")
endforeach()
list(SORT files)
expected_files(expected "/usr" "${APP_ID}" deb)
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "package files differ.\nexpected: ${expected}\npackaged: ${files}")
endif()

execute_process(COMMAND dpkg-deb --field "${deb}" Version OUTPUT_VARIABLE packaged_version
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT packaged_version MATCHES "^${VERSION}-[0-9]+$")
  message(FATAL_ERROR "the package is version ${packaged_version}, the project ${VERSION}")
endif()

execute_process(COMMAND dpkg-deb --field "${deb}" Depends OUTPUT_VARIABLE depends)
# Debian 13 renamed some libraries for 64-bit time (libqt6core6t64).
foreach(wanted "libc6" "libstdc\\+\\+6" "libqt6widgets6" "libqt6gui6" "libqt6core6(t64)?"
               "fonts-liberation2" "qt6-translations-l10n")
  if(NOT depends MATCHES "(^|, )${wanted}( |,|$)")
    message(FATAL_ERROR "Depends lacks ${wanted}: ${depends}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb --field "${deb}" Recommends OUTPUT_VARIABLE recommends)
if(NOT recommends MATCHES "qt6-wayland")
  message(FATAL_ERROR "Recommends lacks qt6-wayland: ${recommends}")
endif()

file(MAKE_DIRECTORY "${SCRATCH}/root")
execute_process(COMMAND dpkg-deb --extract "${deb}" "${SCRATCH}/root" RESULT_VARIABLE result)
check_desktop_entry("${SCRATCH}/root/usr/share/applications/${APP_ID}.desktop"
  "/usr/games/zimarela" "${APP_ID}")
check_png_size("${SCRATCH}/root/usr/share/icons/hicolor/48x48/apps/${APP_ID}.png" 48)
file(READ "${SCRATCH}/root/usr/share/metainfo/${APP_ID}.metainfo.xml" metainfo)
string(REGEX MATCHALL "<release [^>]*>" releases "${metainfo}")
list(GET releases 0 newest)
if(NOT newest MATCHES "version=\"${VERSION}\" date=\"[0-9]+-[0-9]+-[0-9]+\"")
  message(FATAL_ERROR "the metainfo's newest release is not ${VERSION}: ${newest}")
endif()
execute_process(COMMAND gzip -dc "${SCRATCH}/root/usr/share/man/man6/zimarela.6.gz"
  OUTPUT_VARIABLE manual)
if(NOT manual MATCHES "^\\.TH ZIMARELA 6 [0-9]+-[0-9]+-[0-9]+ \"zimarela ${VERSION}\"")
  message(FATAL_ERROR "the manual page does not name version ${VERSION}")
endif()
message(STATUS "${debs}: Depends: ${depends}")
