# Packs built with the project's host tools, from any CMakeLists of either build:
#   vcam_zelopack(<output.zeloz> SOURCE <folder | @list> [ARGS ...] [DEPENDS ...])
#   vcam_zelolz(<output.lz> SOURCE <folder | @list> [ARGS ...] [DEPENDS ...])
# A folder's files are dependencies by themselves; a list's files go in DEPENDS.
# The host build runs its own zelopack and zelolz. The Windows build builds
# them for the host in a nested native build of this source tree
# (<build>/host-tools), since its own programs would need Wine at build time.
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(VCAM_HOST_TOOLS_DIR "${CMAKE_BINARY_DIR}/host-tools")
  ExternalProject_Add(vcam_host_tools
    SOURCE_DIR "${PROJECT_SOURCE_DIR}"
    BINARY_DIR "${VCAM_HOST_TOOLS_DIR}"
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DVCAM_BENCH=OFF -DVCAM_SANITIZE=OFF -DVCAM_FUZZ=OFF
               -Wno-dev --log-level=WARNING
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target zelopack zelolz
    INSTALL_COMMAND ""
    # The nested build decides itself whether the tools' sources changed.
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS "${VCAM_HOST_TOOLS_DIR}/tools/pack/zelopack" "${VCAM_HOST_TOOLS_DIR}/tools/pack/zelolz"
    LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON
    EXCLUDE_FROM_ALL ON)
endif()

function(_vcam_pack tool output)
  cmake_parse_arguments(P "" "SOURCE" "ARGS;DEPENDS" ${ARGN})
  if(NOT P_SOURCE)
    message(FATAL_ERROR "${tool}: SOURCE <folder | @list> missing for ${output}")
  endif()
  set(deps ${P_DEPENDS})
  if(P_SOURCE MATCHES "^@(.*)$")
    list(APPEND deps "${CMAKE_MATCH_1}")
  else()
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${P_SOURCE}/*")
    list(APPEND deps ${found})
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Not VCAM_HOST_TOOLS_DIR: that is set only in the directory that first
    # included this file.
    set(command "${CMAKE_BINARY_DIR}/host-tools/tools/pack/${tool}")
    list(APPEND deps vcam_host_tools "${command}")
  else()
    set(command "$<TARGET_FILE:${tool}>")
    list(APPEND deps ${tool})
  endif()
  get_filename_component(name "${output}" NAME)
  add_custom_command(OUTPUT "${output}"
    COMMAND "${command}" "${output}" "${P_SOURCE}" ${P_ARGS}
    DEPENDS ${deps}
    COMMENT "Packing ${name}"
    VERBATIM)
endfunction()

function(vcam_zelopack output)
  _vcam_pack(zelopack "${output}" ${ARGN})
endfunction()

function(vcam_zelolz output)
  _vcam_pack(zelolz "${output}" ${ARGN})
endfunction()
