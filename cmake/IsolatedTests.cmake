# Every test of a native build starts through tests/support/isolated-env.sh, which gives it a
# HOME, XDG configuration, data, cache, state and runtime folders of its own, empty and
# temporary: a machine branded for everyone (/etc/xdg/corpometer/3.dat) or a user's own
# settings never reach a test, and tests never see each other's files. Included before the
# folders that define tests; a test added anywhere after it gets the folders without asking.
# (A Windows build runs its tests under Wine, which reads none of these variables.) A build
# for another processor's Linux runs its programs through the emulator inside those folders.
if(CMAKE_CROSSCOMPILING AND WIN32)
  return()
endif()
set(CORPOMETER_ISOLATED_ENV "${PROJECT_SOURCE_DIR}/tests/support/isolated-env.sh")
find_program(CORPOMETER_BASH bash REQUIRED)
set(CORPOMETER_ISOLATED_ENV_LAUNCHER "${CORPOMETER_BASH}" "${CORPOMETER_ISOLATED_ENV}")
set(CORPOMETER_BUILT_PROGRAM_LAUNCHER ${CORPOMETER_ISOLATED_ENV_LAUNCHER})
if(CMAKE_CROSSCOMPILING)
  list(APPEND CORPOMETER_BUILT_PROGRAM_LAUNCHER ${CMAKE_CROSSCOMPILING_EMULATOR})
endif()

# add_test puts the launcher in front of every test command: a script, a program found on the
# system or one built here.
function(add_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "COMMAND_EXPAND_LISTS" "NAME;WORKING_DIRECTORY"
                        "COMMAND;CONFIGURATIONS")
  if(NOT arg_NAME OR NOT arg_COMMAND)
    message(FATAL_ERROR "add_test(NAME name COMMAND command...) is the one form used here")
  endif()
  list(POP_FRONT arg_COMMAND program)
  set(launcher ${CORPOMETER_ISOLATED_ENV_LAUNCHER})
  if(TARGET "${program}")
    get_target_property(type "${program}" TYPE)
    if(type STREQUAL "EXECUTABLE")
      set(program "$<TARGET_FILE:${program}>")
      set(launcher ${CORPOMETER_BUILT_PROGRAM_LAUNCHER})
    endif()
  endif()
  set(options)
  if(arg_COMMAND_EXPAND_LISTS)
    list(APPEND options COMMAND_EXPAND_LISTS)
  endif()
  if(DEFINED arg_WORKING_DIRECTORY)
    list(APPEND options WORKING_DIRECTORY "${arg_WORKING_DIRECTORY}")
  endif()
  if(arg_CONFIGURATIONS)
    list(APPEND options CONFIGURATIONS ${arg_CONFIGURATIONS})
  endif()
  _add_test(NAME "${arg_NAME}" COMMAND ${launcher} "${program}"
            ${arg_COMMAND} ${options})
endfunction()

# The cases of a GoogleTest program are found and added when the tests run, not through
# add_test: CMake starts them through the target's test launcher (from 3.29) or emulator
# (before 3.28), which every program defined after this point gets.
if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.29)
  set(CMAKE_TEST_LAUNCHER ${CORPOMETER_ISOLATED_ENV_LAUNCHER})
elseif(CMAKE_VERSION VERSION_LESS 3.28)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CORPOMETER_BUILT_PROGRAM_LAUNCHER})
else()
  message(WARNING "CMake 3.28 has no test launcher for a native build: the GoogleTest cases "
                  "run with the folders of whoever runs ctest")
endif()
