# The layers of the program as static libraries, each seeing only the headers of the layers it
# uses. A layer's headers are not reached through the source tree: every header of a layer's
# folders gets a one-line forwarding header under build/layers/<layer>/, and that folder is
# the only include folder the layer hands on. A target that links formats and raster can
# therefore include "formats/..." and "raster/...", and an include of "export/..." does not
# compile ("No such file or directory"). tests/, bench/ and fuzz/ see the whole source tree.
#
# The same table drives cmake/CheckLayers.cmake, the test that reads every source of every
# layer folder (headers no source includes, other platforms' files) for includes that reach
# a layer the folder may not use.

set(GLYPHORA_LAYER_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/layers)

# Writes the forwarding headers of a layer into root and removes those of headers that are gone.
function(glyphora_stage_headers root)
  set(wanted)
  foreach(header ${ARGN})
    file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${header})
    list(APPEND wanted ${root}/${relative})
    # file(CONFIGURE) writes only when the text changes, so a configure run rebuilds nothing.
    file(CONFIGURE OUTPUT ${root}/${relative} CONTENT "#include \"${header}\"\n" @ONLY)
  endforeach()
  file(GLOB_RECURSE present LIST_DIRECTORIES false ${root}/*)
  foreach(file ${present})
    if(NOT file IN_LIST wanted)
      file(REMOVE ${file})
    endif()
  endforeach()
endfunction()

# Records a layer or program for cmake/CheckLayers.cmake.
function(glyphora_register_layer name folders uses)
  set_property(GLOBAL APPEND PROPERTY GLYPHORA_LAYERS ${name})
  set_property(GLOBAL PROPERTY GLYPHORA_LAYER_${name}_FOLDERS ${folders})
  set_property(GLOBAL PROPERTY GLYPHORA_LAYER_${name}_USES ${uses})
endfunction()

# The sources of the given folders (one glob each, re-checked at every build so that a new
# file needs no edit here) without those matching any EXCLUDE pattern.
function(glyphora_layer_sources out_sources out_headers)
  cmake_parse_arguments(ARG "" "" "FOLDERS;EXCLUDE" ${ARGN})
  set(sources)
  set(headers)
  foreach(folder ${ARG_FOLDERS})
    file(GLOB found_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    file(GLOB found_headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${found_sources})
    list(APPEND headers ${found_headers})
  endforeach()
  foreach(pattern ${ARG_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "${pattern}")
    list(FILTER headers EXCLUDE REGEX "${pattern}")
  endforeach()
  set(${out_sources} ${sources} PARENT_SCOPE)
  set(${out_headers} ${headers} PARENT_SCOPE)
endfunction()

# glyphora_layer(NAME FOLDERS folder... [USES layer...] [LIBS library...] [EXCLUDE regex...] [QT])
# Defines the static library glyphora_NAME from the sources of its folders. USES names the
# layers below it that it may include (and, through them, what they use); LIBS the outside
# libraries it needs. EXCLUDE leaves files out of this build (another platform's adapters);
# the include check still reads them. QT turns on the moc.
function(glyphora_layer name)
  cmake_parse_arguments(ARG "QT" "" "FOLDERS;USES;LIBS;EXCLUDE" ${ARGN})
  glyphora_layer_sources(sources headers FOLDERS ${ARG_FOLDERS} EXCLUDE ${ARG_EXCLUDE})
  set(target glyphora_${name})
  add_library(${target} STATIC ${sources} ${headers})
  set(root ${GLYPHORA_LAYER_INCLUDE_ROOT}/${name})
  glyphora_stage_headers(${root} ${headers})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
  list(TRANSFORM ARG_USES PREPEND glyphora_ OUTPUT_VARIABLE used_targets)
  target_link_libraries(${target} PUBLIC ${used_targets} ${ARG_LIBS})
  if(ARG_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()
  glyphora_warnings(${target})
  glyphora_register_layer(${name} "${ARG_FOLDERS}" "${ARG_USES}")
endfunction()

# glyphora_layer_group(NAME layer...): an INTERFACE target glyphora_NAME that links the given
# layers, for users of all of them (the front ends, tests, benchmarks, fuzz targets).
function(glyphora_layer_group name)
  add_library(glyphora_${name} INTERFACE)
  list(TRANSFORM ARGN PREPEND glyphora_ OUTPUT_VARIABLE used_targets)
  target_link_libraries(glyphora_${name} INTERFACE ${used_targets})
  glyphora_register_layer(${name} "" "${ARGN}")
endfunction()

# glyphora_program(TARGET FOLDERS folder... USES layer... [EXCLUDE regex...]): an executable
# from the sources of its folders that, like a layer, sees only the layers it uses.
function(glyphora_program target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;USES;EXCLUDE" ${ARGN})
  glyphora_layer_sources(sources headers FOLDERS ${ARG_FOLDERS} EXCLUDE ${ARG_EXCLUDE})
  add_executable(${target} ${sources} ${headers})
  set(root ${GLYPHORA_LAYER_INCLUDE_ROOT}/${target})
  glyphora_stage_headers(${root} ${headers})
  target_include_directories(${target} PRIVATE ${root})
  list(TRANSFORM ARG_USES PREPEND glyphora_ OUTPUT_VARIABLE used_targets)
  target_link_libraries(${target} PRIVATE ${used_targets})
  glyphora_warnings(${target})
  glyphora_register_layer(${target} "${ARG_FOLDERS}" "${ARG_USES}")
endfunction()

# Writes the table for cmake/CheckLayers.cmake and adds the tests that show the layers hold:
# the include check over every layer folder, and two compile probes of the same header
# (export/SaveAll.h), which builds with the include folders of export and does not build with
# those of formats.
function(glyphora_layer_tests)
  get_property(layers GLOBAL PROPERTY GLYPHORA_LAYERS)
  set(table "# Written by cmake/Layers.cmake: the layers, their folders and the layers each uses.\n")
  string(APPEND table "set(GLYPHORA_LAYERS ${layers})\n")
  foreach(layer ${layers})
    get_property(folders GLOBAL PROPERTY GLYPHORA_LAYER_${layer}_FOLDERS)
    get_property(uses GLOBAL PROPERTY GLYPHORA_LAYER_${layer}_USES)
    string(APPEND table "set(GLYPHORA_LAYER_${layer}_FOLDERS ${folders})\n")
    string(APPEND table "set(GLYPHORA_LAYER_${layer}_USES ${uses})\n")
  endforeach()
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/GlyphoraLayers.cmake CONTENT "${table}" @ONLY)
  add_test(NAME Layers.IncludesReachOnlyUsedLayers
    COMMAND ${CMAKE_COMMAND} -DTABLE=${CMAKE_BINARY_DIR}/GlyphoraLayers.cmake -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
      -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake)

  set(probe_header export/SaveAll.h)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${probe_header})
    message(FATAL_ERROR "The layer probes include ${probe_header}, which is gone: name another header of export/.")
  endif()
  # layer, test name, whether the include compiles
  foreach(probe "export;Layers.ExportSeesItsOwnHeaders;allowed" "formats;Layers.FormatsCannotIncludeExport;refused")
    list(GET probe 0 layer)
    list(GET probe 1 test)
    list(GET probe 2 outcome)
    set(target glyphora_layer_probe_${layer})
    add_library(${target} OBJECT EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/cmake/LayerProbe.cpp)
    target_compile_definitions(${target} PRIVATE GLYPHORA_PROBE_HEADER="${probe_header}")
    target_link_libraries(${target} PRIVATE glyphora_${layer})
    glyphora_warnings(${target})
    add_test(NAME ${test} COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target ${target})
    # Both run the build tool in this build folder, which must not run twice at once.
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK glyphora_build_folder)
    if(outcome STREQUAL "refused")
      # Passes only on the compiler's "not found" for exactly this header, so that a probe
      # failing for any other reason does not count.
      string(REPLACE "." "\\." header_pattern ${probe_header})
      set_tests_properties(${test} PROPERTIES PASS_REGULAR_EXPRESSION
        "${header_pattern}: No such file or directory|'${header_pattern}' file not found")
    endif()
  endforeach()
endfunction()
