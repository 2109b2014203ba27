# Tests of a cross-compiled build: Windows (MinGW-w64, run under Wine) or arm64 Linux (run
# under qemu-user).

# There is no GoogleTest built for either: it is built from Debian's source package.
set(CORPOMETER_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${CORPOMETER_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# Starting a program under Wine or qemu costs far more than a fork on Linux, so each test
# program runs once as a whole instead of once per test case (and once more to list them).
function(gtest_discover_tests target)
  cmake_parse_arguments(arg "" "DISCOVERY_MODE" "PROPERTIES" ${ARGN})
  add_test(NAME ${target} COMMAND ${target})
  if(arg_PROPERTIES)
    set_tests_properties(${target} PROPERTIES ${arg_PROPERTIES})
  endif()
endfunction()

