# Fails when a source file includes a header of a folder that is not below its own.
#
# Each folder names the folders directly below it, as its library links them; a folder may
# include its own headers and those of every folder below it, directly or not. The core, no Qt:
# platform, imaging, album, web. The window: views, shell, app. The Qt profile store stands
# over the seams alone; app and the headless builder (cli) use it.
#
# Run as: cmake -DSOURCE_DIR=<project root> -P CheckLayers.cmake

cmake_minimum_required(VERSION 3.25)

set(FOLDERS platform imaging album web views shell store app cli)
set(BELOW_platform "")
set(BELOW_imaging platform)
set(BELOW_album imaging)
set(BELOW_web album)
set(BELOW_views web)
set(BELOW_shell views)
set(BELOW_store platform)
set(BELOW_app shell store)
set(BELOW_cli web store)

# MAY_<folder>: the folder itself and everything below it.
foreach(folder ${FOLDERS})
  set(reach ${folder})
  set(todo ${BELOW_${folder}})
  while(todo)
    list(POP_FRONT todo next)
    if(NOT next IN_LIST reach)
      list(APPEND reach ${next})
      list(APPEND todo ${BELOW_${next}})
    endif()
  endwhile()
  set(MAY_${folder} ${reach})
endforeach()

set(climbs "")
foreach(folder ${FOLDERS})
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source ${sources})
    file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" header "${line}")
      string(REGEX REPLACE "/.*" "" target "${header}")
      if(NOT target IN_LIST MAY_${folder})
        string(APPEND climbs "\n  ${name} includes ${header}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(climbs)
  message(FATAL_ERROR "Includes of a folder that is not below the includer's:${climbs}")
endif()
