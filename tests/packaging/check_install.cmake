# Installs the build tree into a scratch DESTDIR and checks the result file
# by file. Run as: cmake -DBUILD_DIR=... -DAPP_ID=... -DSCRATCH=... -P this
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/expectations.cmake")

file(REMOVE_RECURSE "${SCRATCH}")
set(ENV{DESTDIR} "${SCRATCH}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /usr
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

file(GLOB_RECURSE installed RELATIVE "${SCRATCH}" "${SCRATCH}/*")
list(SORT installed)
expected_files(expected "/usr" "${APP_ID}" install)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed files differ.\nexpected: ${expected}\ninstalled: ${installed}")
endif()

# The installed program finds its libraries where the system keeps them,
# never through a run path of its own.
execute_process(COMMAND readelf --dynamic "${SCRATCH}/usr/games/zimarela"
  RESULT_VARIABLE result OUTPUT_VARIABLE dynamic ERROR_VARIABLE dynamic)
if(NOT result EQUAL 0 OR NOT dynamic MATCHES "\\(NEEDED\\)")
  message(FATAL_ERROR "readelf cannot read the installed program:\n${dynamic}")
endif()
if(dynamic MATCHES "\\((RPATH|RUNPATH)\\)[^\n]*")
  message(FATAL_ERROR "the installed program has a run path: ${CMAKE_MATCH_0}")
endif()

check_png_size("${SCRATCH}/usr/share/icons/hicolor/32x32/apps/${APP_ID}.png" 32)
check_png_size("${SCRATCH}/usr/share/icons/hicolor/48x48/apps/${APP_ID}.png" 48)
check_desktop_entry("${SCRATCH}/usr/share/applications/${APP_ID}.desktop" "/usr/games/zimarela" "${APP_ID}")

file(READ "${SCRATCH}/usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg" svg)
if(NOT svg MATCHES "<svg ")
  message(FATAL_ERROR "the scalable icon is not an SVG")
endif()
message(STATUS "install tree as expected: ${installed}")
