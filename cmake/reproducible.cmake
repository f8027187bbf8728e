# The same commit builds the same bytes wherever and whenever it is built,
# so that anyone can rebuild a release and compare it with the download.

# Every timestamp the build writes (the packaged files' times, the page's
# font) is SOURCE_DATE_EPOCH, as the reproducible-builds convention has it.
# Unset, it is the last commit's date; a tree without its history, such as
# one unpacked from a source archive, takes the date of the newest
# changelog entry instead.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ZIMARELA_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  # Only this tree's own history counts, not that of a repository around
  # an unpacked archive.
  execute_process(COMMAND git -C "${PROJECT_SOURCE_DIR}" rev-parse --show-toplevel
    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  set(ZIMARELA_SOURCE_DATE_EPOCH "")
  if(top AND top STREQUAL PROJECT_SOURCE_DIR)
    execute_process(COMMAND git -C "${PROJECT_SOURCE_DIR}" log -1 --format=%ct
      OUTPUT_VARIABLE ZIMARELA_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(ZIMARELA_SOURCE_DATE_EPOCH STREQUAL "")
    set(ZIMARELA_SOURCE_DATE_EPOCH "${ZIMARELA_RELEASE_EPOCH}")
  endif()
endif()
if(NOT ZIMARELA_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a count of seconds: ${ZIMARELA_SOURCE_DATE_EPOCH}")
endif()

# The folders the tree is built in stay out of what is built, as Debian's
# dpkg-buildflags keeps them out: the source folder first, as the build
# folder usually lies inside it and the last matching map wins.
add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=."
  "-ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
