# vcam_test(<name> SOURCES ... [LIBS ...] [ARGS ...] [WINDOW] [NO_MAIN])
#   A GoogleTest program. On the host build each test case becomes a CTest test;
#   on the Windows build the whole program is one CTest test run under Wine
#   (through CMAKE_CROSSCOMPILING_EMULATOR), since every Wine start costs time.
#   WINDOW marks tests that open windows and need an X display (label "window");
#   under Wine they run one at a time.
#   A folder's VCAM_TEST_LABELS (inherited by its subfolders) are added to the
#   labels of every test defined there.
enable_testing()

# vcam_copy_runtime_dlls(<target>): on Windows, copies the DLLs the program
# links by import (the project's own shared libraries, such as logger.dll)
# beside it, so it starts from its folder under Wine as it would when shipped.
function(vcam_copy_runtime_dlls target)
  if(WIN32)
    set(dlls "$<TARGET_RUNTIME_DLLS:${target}>")
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E "$<IF:$<BOOL:${dlls}>,copy_if_different,true>" ${dlls} "$<TARGET_FILE_DIR:${target}>"
      COMMAND_EXPAND_LISTS)
  endif()
endfunction()

function(vcam_test name)
  cmake_parse_arguments(T "WINDOW;NO_MAIN" "TIMEOUT" "SOURCES;LIBS;ARGS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} dep::gmock dep::gtest)
  if(NOT T_NO_MAIN)
    target_link_libraries(${name} PRIVATE dep::gtest_main)
  endif()
  vcam_copy_runtime_dlls(${name})
  set(labels ${T_LABELS} ${VCAM_TEST_LABELS})
  if(T_WINDOW)
    list(APPEND labels window)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "wine;${labels}")
    # Window tests share one X display, its mouse cursor, focus and
    # activation: two at once move each other's cursor and steal each
    # other's foreground, so they take turns (other tests still run beside).
    if(T_WINDOW)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
    endif()
  else()
    include(GoogleTest)
    gtest_discover_tests(${name} EXTRA_ARGS ${T_ARGS} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "host;${labels}"
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# vcam_bench(<name> SOURCES ... [LIBS ...]): a Google Benchmark program, built
# with the "bench" target and run by `make bench`.
add_custom_target(bench_programs)
function(vcam_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VCAM_BENCH)
    return()
  endif()
  add_executable(${name} EXCLUDE_FROM_ALL ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} dep::benchmark_main)
  vcam_copy_runtime_dlls(${name})
  add_dependencies(bench_programs ${name})
endfunction()

# vcam_fuzz(<name> SOURCES ... [LIBS ...] [CORPUS dir]): a libFuzzer target
# (host, clang, the "fuzz" preset). `make test` runs each briefly, `make fuzz` longer.
add_custom_target(fuzz_programs)
function(vcam_fuzz name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT VCAM_FUZZ OR WIN32)
    return()
  endif()
  add_executable(${name} EXCLUDE_FROM_ALL ${F_SOURCES})
  add_dependencies(fuzz_programs ${name})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  add_test(NAME ${name} COMMAND ${name} -runs=20000 -max_len=65536 -rss_limit_mb=1024 ${F_CORPUS})
  set_tests_properties(${name} PROPERTIES LABELS "fuzz" TIMEOUT 300)
endfunction()
