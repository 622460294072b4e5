# cmake -DROOT=<project> -P CheckIncludes.cmake: fails when an include runs upward between layers, or when a test
# includes another suite's files. Only includes written from the project root ("compress/lh5/Lh5.h") are read; an
# include without a folder names a file beside the includer.
#
# Layers, lowest first (docs/ARCHITECTURE.md, "Layers"): a folder of the product includes only folders of a lower
# rank and its own; folders of one rank are independent of each other. Test code (a tests/ folder, testsupport/,
# fuzz/, bench/) may include its own layer and below. testsupport/<folder>/ holds one layer's helpers and ranks
# with that layer; testsupport/ itself ranks with port/.
set(layers
  port=0 testsupport=0
  compress=1 config=1 widgets=1
  segment=2 settings=2
  payload=3 shell=3
  tools/mksetup=4 ui=4 state=4 app/record=4
  bootstrap=5 app/product=5
  app/finish=6 app/install=6 app/uninstall=6 app/run=6
  app/silent=7 app/screen=7
  app/entry=8 app/tests=8 tools/setupwalk=8
  fuzz=9 bench=9 examples=9)
# Product code that drives or pictures the real program and may use the tests' helpers.
set(test_tools tools/setupwalk)

# The folder of the table that holds path (the longest prefix), and its rank; "" and -1 for none.
function(table_layer path out_folder out_rank)
  set(best "")
  set(best_rank -1)
  foreach(row IN LISTS layers)
    string(REPLACE "=" ";" row "${row}")
    list(GET row 0 folder)
    list(GET row 1 rank)
    string(LENGTH "${folder}" length)
    string(LENGTH "${best}" best_length)
    if(path MATCHES "^${folder}/" AND length GREATER best_length)
      set(best "${folder}")
      set(best_rank ${rank})
    endif()
  endforeach()
  set(${out_folder} "${best}" PARENT_SCOPE)
  set(${out_rank} ${best_rank} PARENT_SCOPE)
endfunction()

# The layer of a path: a tests/ folder and testsupport/<folder>/ rank with the folder they serve, where the table
# has it.
function(layer_of path out_folder out_rank)
  set(served "")
  if(path MATCHES "^testsupport/([^/]+)/")
    set(served "${CMAKE_MATCH_1}")
  elseif(path MATCHES "^(.+)/tests/")
    set(served "${CMAKE_MATCH_1}")
  endif()
  if(NOT served STREQUAL "")
    table_layer("${served}/x" folder rank)
    if(NOT folder STREQUAL "")
      set(${out_folder} "${folder}" PARENT_SCOPE)
      set(${out_rank} ${rank} PARENT_SCOPE)
      return()
    endif()
  endif()
  table_layer("${path}" folder rank)
  set(${out_folder} "${folder}" PARENT_SCOPE)
  set(${out_rank} ${rank} PARENT_SCOPE)
endfunction()

# The test suite a path belongs to (the folder up to its tests/), or "" for the product's code.
function(suite_of path out)
  if(path MATCHES "^(.*/)?tests/")
    string(REGEX REPLACE "^((.*/)?tests)/.*" "\\1" suite "${path}")
    set(${out} "${suite}" PARENT_SCOPE)
  elseif(path MATCHES "^(testsupport|fuzz|bench)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

# Every top folder but the build trees.
file(GLOB tops RELATIVE ${ROOT} ${ROOT}/*)
list(FILTER tops EXCLUDE REGEX "^(build|\\.)")
set(sources "")
foreach(top IN LISTS tops)
  if(IS_DIRECTORY ${ROOT}/${top})
    file(GLOB_RECURSE found RELATIVE ${ROOT}
      ${ROOT}/${top}/*.h ${ROOT}/${top}/*.cpp ${ROOT}/${top}/*.c ${ROOT}/${top}/*.rc)
    list(APPEND sources ${found})
  endif()
endforeach()
set(faults 0)
foreach(source IN LISTS sources)
  file(STRINGS ${ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
  if(NOT lines)
    continue()
  endif()
  layer_of("${source}" folder rank)
  suite_of("${source}" suite)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
    if(NOT EXISTS ${ROOT}/${included})
      continue()
    endif()
    layer_of("${included}" to_folder to_rank)
    suite_of("${included}" to_suite)
    set(fault "")
    if(rank EQUAL -1)
      set(fault "its folder is in no layer of cmake/CheckIncludes.cmake")
    elseif(to_rank EQUAL -1)
      set(fault "the included folder is in no layer of cmake/CheckIncludes.cmake")
    elseif(suite STREQUAL "")
      list(FIND test_tools "${folder}" test_tool)
      if(to_suite MATCHES "^testsupport" AND test_tool GREATER -1)
        # The driver of the real program uses the tests' helpers of its layer and below.
      elseif(NOT to_suite STREQUAL "")
        set(fault "the product includes test code")
      elseif(NOT to_folder STREQUAL folder AND NOT to_rank LESS rank)
        set(fault "upward or sideways: ${folder} (${rank}) includes ${to_folder} (${to_rank})")
      endif()
    else()
      if(NOT to_suite STREQUAL "" AND NOT to_suite STREQUAL suite AND NOT to_suite MATCHES "^testsupport")
        set(fault "another suite's file (${to_suite})")
      elseif(to_rank GREATER rank)
        set(fault "upward: a test of ${folder} (${rank}) includes ${to_folder} (${to_rank})")
      endif()
    endif()
    if(NOT fault STREQUAL "")
      message("${source}: #include \"${included}\": ${fault}")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} includes break the layers")
endif()
list(LENGTH sources count)
message("The includes of ${count} files keep the layers")
