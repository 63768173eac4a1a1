# The resources every Windows executable carries: icon, manifest and version, from one template.
set(TARNWICK_VERSION_DOTS 1.0.0.0)
string(REPLACE . , TARNWICK_VERSION_COMMAS ${TARNWICK_VERSION_DOTS})
set(TARNWICK_WINDOWS_ASSETS ${PROJECT_SOURCE_DIR}/assets/windows)

# tarnwick_windows_resources(target description [script.rc...]): the scripts given are included
# in the target's one resource script. Resources must go through one run of windres: two compiled
# scripts number their icon images alike, and the linker keeps only one image of each number.
function(tarnwick_windows_resources target description)
  set(TARNWICK_FILE_DESCRIPTION "${description}")
  get_target_property(TARNWICK_FILE_NAME ${target} OUTPUT_NAME)
  if(NOT TARNWICK_FILE_NAME)
    set(TARNWICK_FILE_NAME ${target})
  endif()
  set(TARNWICK_INCLUDED_RESOURCES "")
  foreach(script ${ARGN})
    string(APPEND TARNWICK_INCLUDED_RESOURCES "#include \"${script}\"\n")
  endforeach()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows_resources.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # windres reads the pictures and the manifest itself, so the build learns of them here.
  file(GLOB pictures CONFIGURE_DEPENDS ${TARNWICK_WINDOWS_ASSETS}/*.ico
       ${TARNWICK_WINDOWS_ASSETS}/*.png ${PROJECT_SOURCE_DIR}/assets/about_box/*.png)
  set_source_files_properties(${rc} PROPERTIES
    INCLUDE_DIRECTORIES "${TARNWICK_WINDOWS_ASSETS};${PROJECT_SOURCE_DIR}/assets/about_box;${PROJECT_SOURCE_DIR}"
    OBJECT_DEPENDS "${TARNWICK_WINDOWS_ASSETS}/tarnwick.manifest;${pictures};${ARGN}")
endfunction()
