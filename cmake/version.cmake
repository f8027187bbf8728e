# The version is written once, in project() at the top of the tree. The
# Debian changelog's newest entry must be for that version: it holds the
# release's notes, its date and the package's Debian revision, so a version
# raised without an entry would ship the last release's notes.
set(ZIMARELA_CHANGELOG "${PROJECT_SOURCE_DIR}/data/debian/changelog")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${ZIMARELA_CHANGELOG}")
file(STRINGS "${ZIMARELA_CHANGELOG}" changelog_head LIMIT_COUNT 1)
file(STRINGS "${ZIMARELA_CHANGELOG}" changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^zimarela \\(([^)-]+)-([^)]+)\\) "
   OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "The newest entry of ${ZIMARELA_CHANGELOG} is not for "
    "${PROJECT_VERSION}, the version in CMakeLists.txt: ${changelog_head}")
endif()
set(ZIMARELA_DEBIAN_REVISION "${CMAKE_MATCH_2}")

# The entry's date, as Debian writes it (RFC 2822, after two spaces).
if(NOT changelog_trailer MATCHES ">  (.+)$")
  message(FATAL_ERROR "The newest entry of ${ZIMARELA_CHANGELOG} has no date")
endif()
set(changelog_date "${CMAKE_MATCH_1}")
execute_process(COMMAND date -u -d "${changelog_date}" "+%s %F"
  OUTPUT_VARIABLE parsed RESULT_VARIABLE failed OUTPUT_STRIP_TRAILING_WHITESPACE)
if(failed OR NOT parsed MATCHES "^([0-9]+) ([0-9-]+)$")
  message(FATAL_ERROR "Cannot read the date of ${ZIMARELA_CHANGELOG}: ${changelog_date}")
endif()
set(ZIMARELA_RELEASE_EPOCH "${CMAKE_MATCH_1}")
set(ZIMARELA_RELEASE_DATE "${CMAKE_MATCH_2}")
