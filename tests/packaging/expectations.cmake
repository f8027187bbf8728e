# What an installed tree must hold, shared by the install and package checks.
# The .deb adds Debian's own files to what every installation holds.

function(expected_files out prefix app_id kind)
  set(files
    "${prefix}/games/zimarela"
    "${prefix}/share/applications/${app_id}.desktop"
    "${prefix}/share/doc/zimarela/NEWS"
    "${prefix}/share/icons/hicolor/32x32/apps/${app_id}.png"
    "${prefix}/share/icons/hicolor/48x48/apps/${app_id}.png"
    "${prefix}/share/icons/hicolor/scalable/apps/${app_id}.svg"
    "${prefix}/share/man/man6/zimarela.6.gz"
    "${prefix}/share/metainfo/${app_id}.metainfo.xml")
  if(kind STREQUAL "deb")
    list(APPEND files
      "${prefix}/share/doc/zimarela/changelog.Debian.gz"
      "${prefix}/share/doc/zimarela/copyright"
      "${prefix}/share/lintian/overrides/zimarela")
  endif()
  list(TRANSFORM files REPLACE "^/" "")
  list(SORT files)
  set(${out} "${files}" PARENT_SCOPE)
endfunction()

# A PNG keeps its width and height in the IHDR chunk, bytes 16 to 23.
function(check_png_size path size)
  file(READ "${path}" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  if(NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${path} is not a PNG")
  endif()
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${path} is ${width} x ${height}, not ${size} x ${size}")
  endif()
endfunction()

function(check_desktop_entry path exec icon)
  file(STRINGS "${path}" lines)
  foreach(wanted "Exec=${exec}" "Icon=${icon}" "Type=Application" "Categories=Game;LogicGame;")
    if(NOT wanted IN_LIST lines)
      message(FATAL_ERROR "${path} lacks the line ${wanted}")
    endif()
  endforeach()
  execute_process(COMMAND desktop-file-validate "${path}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate rejects ${path}")
  endif()
endfunction()
