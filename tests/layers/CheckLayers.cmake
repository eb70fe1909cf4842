# Fails when a source file includes a header of a higher layer. The layers, from the bottom:
# platform, imaging, album, web (the core, without Qt), then views, shell and app (the window).
# A folder may include its own headers and those of the layers below it. The headless builder
# (cli) stands over the core and shares only the Qt profile store with app.
#
# Run as: cmake -DSOURCE_DIR=<project root> -P CheckLayers.cmake

cmake_minimum_required(VERSION 3.25)

set(LAYERS platform imaging album web views shell app)
set(CLI_MAY_USE platform imaging album web app/QtProfileStore.h)

function(layer_rank folder out)
  list(FIND LAYERS "${folder}" rank)
  set(${out} ${rank} PARENT_SCOPE)
endfunction()

set(climbs "")
foreach(folder ${LAYERS} cli)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  layer_rank(${folder} own)
  foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
      string(REGEX REPLACE "/.*" "" target "${header}")
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
      if(folder STREQUAL "cli")
        if(NOT target STREQUAL "cli" AND NOT target IN_LIST CLI_MAY_USE
           AND NOT header IN_LIST CLI_MAY_USE)
          string(APPEND climbs "\n  ${name} includes ${header}")
        endif()
      else()
        layer_rank(${target} theirs)
        if(theirs EQUAL -1 OR theirs GREATER own)
          string(APPEND climbs "\n  ${name} includes ${header}")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(climbs)
  string(REPLACE ";" ", " order "${LAYERS}")
  message(FATAL_ERROR "Includes that climb a layer (${order}; cli over the core):${climbs}")
endif()
