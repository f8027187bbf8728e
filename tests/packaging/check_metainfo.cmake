# Validates the AppStream metainfo strictly. Run as:
#   cmake -DAPPSTREAMCLI=... -DMETAINFO=... -P this
# AppStream 1.0 (Debian 13) wants the developer as a <developer> element;
# 0.16 (Debian 12) predates it and reports it as an unknown tag. There, and
# only for that one element, the unknown tag is let through. AppStream 1.0
# also warns when there is no homepage; the project has no home of its own
# yet, and a made-up address would send players to a stranger, so that one
# warning is let through there. Debian 12 knows the developer only by
# <developer_name>, which 1.0 reads as deprecated; that note too is let
# through there, since both releases must name the developer.
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND "${APPSTREAMCLI}" --version OUTPUT_VARIABLE version)
string(REGEX MATCH "[0-9]+\\.[0-9]+(\\.[0-9]+)?" version "${version}")
set(arguments validate --no-net --strict)
if(version VERSION_LESS 1.0)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${METAINFO}"
    OUTPUT_VARIABLE report ERROR_VARIABLE report)
  string(REGEX MATCHALL "unknown-tag [^\n]*" unknown "${report}")
  if(NOT unknown STREQUAL "unknown-tag developer")
    message(FATAL_ERROR "AppStream ${version} finds unknown tags: ${unknown}\n${report}")
  endif()
  list(APPEND arguments --override=unknown-tag=pedantic)
else()
  # One --override takes a list; a second one would replace the first.
  list(APPEND arguments
    --override=url-homepage-missing=pedantic,developer-name-tag-deprecated=pedantic)
endif()

execute_process(COMMAND "${APPSTREAMCLI}" ${arguments} "${METAINFO}"
  RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "AppStream ${version} rejects ${METAINFO}:\n${report}")
endif()
message(STATUS "AppStream ${version}: ${report}")
