# The resources every Windows executable carries: icon, manifest and version, from one template.
set(TARNWICK_VERSION_DOTS 1.0.0.0)
string(REPLACE . , TARNWICK_VERSION_COMMAS ${TARNWICK_VERSION_DOTS})
set(TARNWICK_WINDOWS_ASSETS ${PROJECT_SOURCE_DIR}/assets/windows)

function(tarnwick_windows_resources target description)
  set(TARNWICK_FILE_DESCRIPTION "${description}")
  get_target_property(TARNWICK_FILE_NAME ${target} OUTPUT_NAME)
  if(NOT TARNWICK_FILE_NAME)
    set(TARNWICK_FILE_NAME ${target})
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows_resources.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # windres reads the icon and the manifest itself, so the build learns of them here.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
    "${TARNWICK_WINDOWS_ASSETS}/tarnwick.ico;${TARNWICK_WINDOWS_ASSETS}/tarnwick.manifest")
endfunction()
