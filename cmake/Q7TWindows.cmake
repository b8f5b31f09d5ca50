# Helpers for the Windows binaries.

# Every binary carries a version resource.
function(q7t_add_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(Q7T_VERSION_FILETYPE VFT_DLL)
    set(Q7T_VERSION_FILENAME ${target}.dll)
  else()
    set(Q7T_VERSION_FILETYPE VFT_APP)
    set(Q7T_VERSION_FILENAME ${target}.exe)
  endif()
  set(Q7T_VERSION_DESCRIPTION "${description}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# Shipped binaries go into dist/, laid out as installed.
function(q7t_ship target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${Q7T_DIST_DIR}
    PREFIX "")
endfunction()
