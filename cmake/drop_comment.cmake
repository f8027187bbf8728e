# Run by CPack on the staged files, before it splits the debug information
# off: drops the compilers' version notes (.comment) from the program, as
# Debian does for its own packages. A program not found here is an error,
# so that a moved program cannot slip past unnoticed.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
list(FILTER staged INCLUDE REGEX "${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_ZIMARELA_PROGRAM}$")
list(LENGTH staged count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one staged ${CPACK_ZIMARELA_PROGRAM}, found: ${staged}")
endif()
execute_process(COMMAND "${CPACK_OBJCOPY}" --remove-section=.comment ${staged}
  COMMAND_ERROR_IS_FATAL ANY)
