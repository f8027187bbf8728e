# Builds the Debian packages of a build tree into OUT: zimarela_*.deb and
# its debug symbols, zimarela-dbgsym_*.deb. CPack names the second .ddeb,
# Ubuntu's name for it; Debian's debug archive calls it .deb, and only a
# .deb is taken by `apt install ./FILE`. A build without -g gives no
# symbols package, or one of the symbol table alone, which names functions
# but no file or line, and CPack says nothing either way; both are errors.
# Run as:
#   cmake -DBUILD_DIR=... -DOUT=... -P make_debs.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(OUT "${OUT}" ABSOLUTE)

file(GLOB stale "${OUT}/zimarela_*.deb" "${OUT}/zimarela-dbgsym_*.deb" "${OUT}/zimarela-dbgsym_*.ddeb")
if(stale)
  file(REMOVE ${stale})
endif()
execute_process(
  COMMAND cpack -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()

file(GLOB symbols "${OUT}/zimarela-dbgsym_*.ddeb")
list(LENGTH symbols count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made no debug symbols package (is the build without -g?):\n${output}")
endif()
string(REGEX REPLACE "\\.ddeb$" ".deb" renamed "${symbols}")

# CPack's symbols package is mended into the form Debian gives its own,
# which dpkg, apt and lintian take: its md5sums names every file by its
# absolute path in the build tree, which no installed file has (and which
# differs from one build folder to the next); it has no entry in
# /usr/share/doc, where Debian's point to the package whose symbols they
# hold; and its .debug files are marked executable, which they are not.
# Every time in it stays the one CPack gave it, SOURCE_DATE_EPOCH's.
set(tree "${OUT}/_dbgsym")
file(REMOVE_RECURSE "${tree}")
execute_process(COMMAND dpkg-deb --raw-extract "${symbols}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE debug_files LIST_DIRECTORIES false "${tree}/usr/lib/debug/*.debug")
if(NOT debug_files)
  message(FATAL_ERROR "${symbols} holds no .debug file")
endif()
foreach(path IN LISTS debug_files)
  execute_process(COMMAND readelf --sections "${path}" OUTPUT_VARIABLE sections ERROR_QUIET)
  if(NOT sections MATCHES "\\.debug_info " OR NOT sections MATCHES "\\.debug_line ")
    message(FATAL_ERROR "${path} holds no debug information with lines: is the build without -g?")
  endif()
endforeach()
list(GET debug_files 0 first)
file(TIMESTAMP "${first}" epoch "%s" UTC)
file(CHMOD ${debug_files} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(MAKE_DIRECTORY "${tree}/usr/share/doc")
file(CHMOD "${tree}/usr/share" "${tree}/usr/share/doc" "${tree}/DEBIAN"
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
              WORLD_READ WORLD_EXECUTE)
file(CREATE_LINK zimarela "${tree}/usr/share/doc/zimarela-dbgsym" SYMBOLIC)
set(md5sums "")
foreach(path IN LISTS debug_files)
  file(MD5 "${path}" sum)
  file(RELATIVE_PATH relative "${tree}" "${path}")
  string(APPEND md5sums "${sum}  ${relative}\n")
endforeach()
file(WRITE "${tree}/DEBIAN/md5sums" "${md5sums}")
file(CHMOD "${tree}/DEBIAN/md5sums" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
execute_process(COMMAND find "${tree}" -exec touch -h -d "@${epoch}" {} +
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${epoch}"
          dpkg-deb --root-owner-group -Zgzip --build "${tree}" "${renamed}"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${tree}")
file(REMOVE "${symbols}")
file(GLOB made "${OUT}/zimarela_*.deb" "${OUT}/zimarela-dbgsym_*.deb")
foreach(deb IN LISTS made)
  message(STATUS "Built ${deb}")
endforeach()
