# A local HTTPS server (tools/https_server/https_server.py) as a CTest fixture.
#
# vcam_https_server(<fixture> [ROOT <folder>])
#   Adds the tests <fixture>_start (FIXTURES_SETUP) and <fixture>_stop
#   (FIXTURES_CLEANUP). The server's state folder is
#   ${CMAKE_BINARY_DIR}/https_server/<fixture>; it serves <folder> (default: the
#   state folder's "www").
# vcam_https_server_use(<fixture> <test>...)
#   Makes each test require the fixture and gives it VCAM_HTTPS_STATE and
#   VCAM_HTTPS_ROOT (Windows form "Z:\..." on the Windows build, as Wine maps
#   Z: to the Linux root). Read them with vcam::testing::https_test_server.
include_guard(GLOBAL)
set(VCAM_HTTPS_SERVER_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/https_server.py" CACHE INTERNAL "")

function(_vcam_https_platform_path out path)
  if(WIN32)
    string(REPLACE "/" "\\" p "${path}")
    set(${out} "Z:${p}" PARENT_SCOPE)
  else()
    set(${out} "${path}" PARENT_SCOPE)
  endif()
endfunction()

function(vcam_https_server fixture)
  cmake_parse_arguments(S "" "ROOT" "" ${ARGN})
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(state "${CMAKE_BINARY_DIR}/https_server/${fixture}")
  if(S_ROOT)
    set(root "${S_ROOT}")
  else()
    set(root "${state}/www")
  endif()
  add_test(NAME ${fixture}_start
    COMMAND ${Python3_EXECUTABLE} ${VCAM_HTTPS_SERVER_SCRIPT} start --state ${state} --root ${root})
  add_test(NAME ${fixture}_stop
    COMMAND ${Python3_EXECUTABLE} ${VCAM_HTTPS_SERVER_SCRIPT} stop --state ${state})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture} LABELS https_server TIMEOUT 60)
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture} LABELS https_server TIMEOUT 60)
  set_property(GLOBAL PROPERTY VCAM_HTTPS_STATE_${fixture} "${state}")
  set_property(GLOBAL PROPERTY VCAM_HTTPS_ROOT_${fixture} "${root}")
endfunction()

function(vcam_https_server_use fixture)
  get_property(state GLOBAL PROPERTY VCAM_HTTPS_STATE_${fixture})
  get_property(root GLOBAL PROPERTY VCAM_HTTPS_ROOT_${fixture})
  if(NOT state)
    message(FATAL_ERROR "vcam_https_server_use: no fixture ${fixture}; call vcam_https_server first")
  endif()
  _vcam_https_platform_path(state_p "${state}")
  _vcam_https_platform_path(root_p "${root}")
  foreach(t ${ARGN})
    set_property(TEST ${t} APPEND PROPERTY FIXTURES_REQUIRED ${fixture})
    set_property(TEST ${t} APPEND PROPERTY ENVIRONMENT "VCAM_HTTPS_STATE=${state_p}" "VCAM_HTTPS_ROOT=${root_p}")
  endforeach()
endfunction()
