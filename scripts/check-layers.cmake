# Checks that includes run one way: each folder of the application may include only itself
# and the folders before it in cmake/Layers.cmake (core, then web and models, then views),
# so no two folders include each other and no lower layer reaches a higher one.
# Run: cmake -DAPP_DIR=Sources/VeltraneBrowser -P scripts/check-layers.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/Layers.cmake)
set(ORDER ${CORE_FOLDERS} ${WEB_FOLDERS} ${GUI_FOLDERS})

if(NOT APP_DIR)
  message(FATAL_ERROR "APP_DIR is not set")
endif()

get_filename_component(APP_DIR "${APP_DIR}" ABSOLUTE)
set(failures 0)
file(GLOB_RECURSE files RELATIVE ${APP_DIR} ${APP_DIR}/*.h ${APP_DIR}/*.cpp)
if(NOT files)
  message(FATAL_ERROR "no sources under ${APP_DIR}")
endif()
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" folder "${file}")
  if(folder STREQUAL file)
    continue()  # main.cpp sits above every folder
  endif()
  list(FIND ORDER ${folder} rank)
  if(rank LESS 0)
    message(SEND_ERROR "${file}: folder '${folder}' has no place in the layer order")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  file(STRINGS ${APP_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" included "${line}")
    if(NOT included MATCHES "/")
      continue()  # a moc file or a header beside it
    endif()
    string(REGEX MATCH "^[^/]+" target "${included}")
    list(FIND ORDER ${target} targetRank)
    if(targetRank LESS 0 OR targetRank GREATER rank)
      message(SEND_ERROR "${file} includes ${included}: ${folder} may not depend on ${target}")
      math(EXPR failures "${failures} + 1")
    endif()
  endforeach()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} include(s) against the layer order")
endif()
message(STATUS "layers: every include runs one way")
