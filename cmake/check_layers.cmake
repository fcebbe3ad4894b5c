# Holds the order of the source folders: a folder includes only folders below it in LAYERS,
# and its CMake target links every one it includes. The Windows layer implements the
# platform's services and draws the toolkit's controls; only its program entries (main_*.cpp)
# see the main window and the console scanner. Run as a build step:
# cmake -DSOURCE_DIR=... -DSTAMP=... -P this file.
cmake_minimum_required(VERSION 3.20)

set(LAYERS platform ui ini reference registry protection processes startup ignore settings
  quarantine scan monitor repair update app console)

set(failures "")

function(included_folders source out)
  file(STRINGS "${source}" lines REGEX "^#include \"[a-z0-9_]+/")
  set(folders "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^#include \"([a-z0-9_]+)/.*" "\\1" folder "${line}")
    list(APPEND folders "${folder}")
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(${out} "${folders}" PARENT_SCOPE)
endfunction()

foreach(layer IN LISTS LAYERS win32)
  if(layer STREQUAL "win32")
    set(allowed platform ui win32)
  else()
    list(FIND LAYERS ${layer} rank)
    list(SUBLIST LAYERS 0 ${rank} allowed)
    list(APPEND allowed ${layer})
  endif()
  set(links "")
  if(EXISTS "${SOURCE_DIR}/src/${layer}/CMakeLists.txt")
    file(READ "${SOURCE_DIR}/src/${layer}/CMakeLists.txt" links)
  endif()
  file(GLOB_RECURSE sources "${SOURCE_DIR}/src/${layer}/*.h" "${SOURCE_DIR}/src/${layer}/*.cpp")
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
    included_folders("${source}" folders)
    foreach(folder IN LISTS folders)
      if(layer STREQUAL "win32" AND (folder STREQUAL "app" OR folder STREQUAL "console")
         AND shown MATCHES "/main_[^/]*\\.cpp$")
        continue()
      endif()
      if(NOT folder IN_LIST allowed)
        string(APPEND failures "  ${shown} includes ${folder}/, which src/${layer} may not use\n")
      elseif(NOT folder STREQUAL layer AND NOT folder STREQUAL "platform"
             AND NOT links MATCHES "nexolant_${folder}[ \n)]")
        string(APPEND failures
          "  ${shown} includes ${folder}/, but src/${layer}/CMakeLists.txt does not link nexolant_${folder}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  string(REPLACE ";" " " order "${LAYERS}")
  message(FATAL_ERROR "Source folders out of order (from the bottom: ${order}):\n${failures}")
endif()
file(TOUCH "${STAMP}")
