# What makes a Windows program look like one: version information (product name, version,
# description, publisher) and the program's icon, compiled in by windres.
#
#   corpometer_windows_resources(corpogif DESCRIPTION "Corpometer GIF inspector")
#
# adds them to the program TARGET. A target with resources of its own (a manifest, dialogs)
# keeps them in its own .rc file beside this one, and leaves the ids 1 of ICON and of
# VERSIONINFO to this one.
enable_language(RC)

set(CORPOMETER_PUBLISHER "The Corpometer developers")
set(CORPOMETER_COPYRIGHT "Copyright 2026 The Corpometer developers")

# The icon, made of the desktop icons' pictures (the same drawings in every size).
set(CORPOMETER_WINDOWS_ICON "${PROJECT_BINARY_DIR}/windows/corpometer.ico")
set(windows_icon_pictures)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND windows_icon_pictures "${PROJECT_SOURCE_DIR}/assets/pictures/icons/${size}.png")
endforeach()
find_program(CORPOMETER_BASH bash REQUIRED)
add_custom_command(OUTPUT "${CORPOMETER_WINDOWS_ICON}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/windows"
  COMMAND "${CORPOMETER_BASH}" "${CMAKE_CURRENT_LIST_DIR}/windows/make-icon.sh"
          "${CORPOMETER_WINDOWS_ICON}" ${windows_icon_pictures}
  DEPENDS "${CMAKE_CURRENT_LIST_DIR}/windows/make-icon.sh" ${windows_icon_pictures}
  COMMENT "Making the Windows icon" VERBATIM)
add_custom_target(corpometer_windows_icon ALL DEPENDS "${CORPOMETER_WINDOWS_ICON}")

function(corpometer_windows_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION" "")
  if(NOT arg_DESCRIPTION)
    message(FATAL_ERROR "corpometer_windows_resources(${target}) needs a DESCRIPTION")
  endif()
  set(resource_target "${target}")
  set(resource_file_name "${target}.exe")
  set(resource_description "${arg_DESCRIPTION}")
  set(resource_icon "${CORPOMETER_WINDOWS_ICON}")
  set(rc "${PROJECT_BINARY_DIR}/windows/${target}-version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/windows/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
  # windres tells no one which files it read: a new icon must rebuild the resources.
  set_source_files_properties("${rc}" TARGET_DIRECTORY ${target}
                              PROPERTIES OBJECT_DEPENDS "${CORPOMETER_WINDOWS_ICON}")
  add_dependencies(${target} corpometer_windows_icon)
endfunction()
