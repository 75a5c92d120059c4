# Test helpers shared by every test folder.
#
# dk_add_test(NAME SOURCES ... [LIBS ...] [LABELS ...] [DATA_CASES FILTER] [PREFIX NAME])
#   A GoogleTest executable, registered as one ctest test. On the win64 build it runs under Wine
#   through the crosscompiling emulator: one Wine process per executable, not per test case.
#   DATA_CASES names (as a gtest filter) the cases that need data from beside the repository;
#   they run as the ctest test NAME_data, which shows as skipped when they skip for want of it.
#   The tests of tests/win/ share one Wine desktop, its cursor, focus and z-order: one test's
#   window may cover another's or take its clicks, so they run one at a time.
#   PREFIX runs the win64 test in a Wine prefix of its own (wine/NAME in the build tree), for a
#   test that changes what the prefix's other tests rely on, such as the display scale.
if(DK_BUILD_TESTS AND NOT TARGET GTest::gtest_main)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()

set(DK_TEST_DIR ${CMAKE_BINARY_DIR}/tests)

function(dk_add_test name)
  cmake_parse_arguments(T "" "DATA_CASES;PREFIX" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main dk_warnings)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DK_TEST_DIR})
  target_compile_definitions(${name} PRIVATE DK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(WIN32 AND NOT DK_CAN_RUN_WINDOWS)
    return()
  endif()
  set(labels unit ${T_LABELS})
  if(WIN32)
    list(APPEND labels wine)
  endif()
  set(locks)
  if(WIN32 AND CMAKE_CURRENT_SOURCE_DIR MATCHES "/tests/win/")
    set(locks RESOURCE_LOCK wine_unit_desktop)
  endif()
  set(filter)
  if(T_DATA_CASES)
    set(filter --gtest_filter=-${T_DATA_CASES})
    add_test(NAME ${name}_data COMMAND ${name} --gtest_filter=${T_DATA_CASES}
             WORKING_DIRECTORY ${DK_TEST_DIR})
    set_tests_properties(${name}_data PROPERTIES LABELS "${labels}" TIMEOUT 600 ${locks}
                         SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  endif()
  set(program ${name})
  if(WIN32 AND T_PREFIX)
    set(program ${DK_WINE_RUN} --prefix ${CMAKE_BINARY_DIR}/wine/${T_PREFIX} $<TARGET_FILE:${name}>)
  endif()
  add_test(NAME ${name} COMMAND ${program} --gtest_brief=1 ${filter} WORKING_DIRECTORY ${DK_TEST_DIR})
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT 600 ${locks})
endfunction()
