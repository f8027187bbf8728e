# Sets ZIMARELA_UNDER_SANITIZER: whether the programs are built under a
# sanitizer, whichever way it came in. ZIMARELA_SANITIZE is one way; a
# build made by hand may give -fsanitize= in the compiler's flags for every
# build type or for one, or in the linker's alone. What cannot run under
# a sanitizer (valgrind) or gets in its way (the fortified string
# functions, which check before ASan sees the access) must know either way.
#
# So the answer comes from what the toolchain does with the effective
# flags: a probe that calls one function that only a sanitizer's runtime
# defines links only where that runtime is linked in. GCC's UBSan runtime
# shares no entry point with the others, so each runtime is probed by its
# own. The probes run at every configure, as the flags may have changed
# since the last.
if(EMSCRIPTEN)
  set(ZIMARELA_UNDER_SANITIZER OFF)
  return()
endif()

include(CheckCXXSourceCompiles)
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
# try_compile takes the compiler's flags of this configuration; the
# linker's it takes only for all configurations.
set(CMAKE_TRY_COMPILE_CONFIGURATION "${CMAKE_BUILD_TYPE}")
list(JOIN sanitize_flags " " CMAKE_REQUIRED_FLAGS)
separate_arguments(CMAKE_REQUIRED_LINK_OPTIONS UNIX_COMMAND
  "${CMAKE_EXE_LINKER_FLAGS_${build_type}}")
list(APPEND CMAKE_REQUIRED_LINK_OPTIONS ${sanitize_flags})
set(CMAKE_REQUIRED_QUIET ON)
set(ZIMARELA_UNDER_SANITIZER OFF)
foreach(entry __asan_init __tsan_init __msan_init __lsan_do_leak_check
              __ubsan_handle_add_overflow)
  unset(zimarela_runtime_${entry} CACHE)
  check_cxx_source_compiles("
    extern \"C\" void ${entry}();
    int main() { ${entry}(); }
  " zimarela_runtime_${entry})
  if(zimarela_runtime_${entry})
    set(ZIMARELA_UNDER_SANITIZER ON)
    break()
  endif()
endforeach()
unset(CMAKE_TRY_COMPILE_CONFIGURATION)
unset(CMAKE_REQUIRED_FLAGS)
unset(CMAKE_REQUIRED_LINK_OPTIONS)
unset(CMAKE_REQUIRED_QUIET)

if(ZIMARELA_SANITIZE AND NOT ZIMARELA_UNDER_SANITIZER)
  message(FATAL_ERROR "ZIMARELA_SANITIZE is on, but no sanitizer's runtime links here")
endif()
message(STATUS "Under a sanitizer: ${ZIMARELA_UNDER_SANITIZER}")
