# Builds the Debian package and its debug symbols' package from the build
# tree and checks their names, their contents, their dependencies, that the
# package, its metainfo and manual page name the project's one version, and
# that the symbols are those of the packaged program. Run as:
#   cmake -DBUILD_DIR=... -DAPP_ID=... -DVERSION=... -DSCRATCH=... -P this
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/expectations.cmake")

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -DBUILD_DIR=${BUILD_DIR} -DOUT=${SCRATCH}
          -P "${CMAKE_CURRENT_LIST_DIR}/../../cmake/make_debs.cmake"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "building the packages failed:\n${output}")
endif()

file(GLOB debs RELATIVE "${SCRATCH}" "${SCRATCH}/*.deb")
list(SORT debs)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
  OUTPUT_STRIP_TRAILING_WHITESPACE)
set(name_version_release_arch "[0-9]+\\.[0-9]+\\.[0-9]+-1_${arch}\\.deb")
if(NOT debs MATCHES "^zimarela-dbgsym_${name_version_release_arch};zimarela_${name_version_release_arch}$")
  message(FATAL_ERROR "expected zimarela_VERSION-1_${arch}.deb and its -dbgsym, found: ${debs}")
endif()
list(GET debs 0 symbols_name)
list(GET debs 1 debs)
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

# The symbols package: the debug information of exactly the packaged
# program, found by its build id, for exactly this version of it.
set(symbols "${SCRATCH}/${symbols_name}")
execute_process(COMMAND dpkg-deb --field "${symbols}" Depends OUTPUT_VARIABLE symbols_depends
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT symbols_depends STREQUAL "zimarela (= ${packaged_version})")
  message(FATAL_ERROR "${symbols_name} depends on \"${symbols_depends}\", not on zimarela (= ${packaged_version})")
endif()
execute_process(COMMAND readelf --notes "${SCRATCH}/root/usr/games/zimarela" OUTPUT_VARIABLE notes)
if(NOT notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
  message(FATAL_ERROR "the packaged program has no build id")
endif()
set(debug_file "usr/lib/debug/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug")
execute_process(COMMAND file --brief "${SCRATCH}/root/usr/games/zimarela" OUTPUT_VARIABLE kind)
if(NOT kind MATCHES ", stripped")
  message(FATAL_ERROR "the packaged program is not stripped: ${kind}")
endif()
file(MAKE_DIRECTORY "${SCRATCH}/symbols")
execute_process(COMMAND dpkg-deb --extract "${symbols}" "${SCRATCH}/symbols" COMMAND_ERROR_IS_FATAL ANY)
if(NOT EXISTS "${SCRATCH}/symbols/${debug_file}")
  message(FATAL_ERROR "${symbols_name} lacks ${debug_file}, the packaged program's symbols")
endif()
execute_process(COMMAND dpkg-deb --ctrl-tarfile "${symbols}" COMMAND tar -xOf - ./md5sums
  OUTPUT_VARIABLE md5sums)
if(NOT md5sums MATCHES "^[0-9a-f]+  ${debug_file}\n$")
  message(FATAL_ERROR "${symbols_name}'s md5sums does not list ${debug_file} alone:\n${md5sums}")
endif()
message(STATUS "${symbols_name}: ${debug_file}")
