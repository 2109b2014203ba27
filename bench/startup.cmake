# Start-up: the smallest Qt Widgets window, which bench/startup.sh times against corpometer
# from exec to the first painted window.
if(CORPOMETER_WITH_QT)
  add_executable(qt-smallest-window ${CMAKE_CURRENT_SOURCE_DIR}/SmallestWindow.cpp)
  target_link_libraries(qt-smallest-window PRIVATE Qt6::Widgets)
  target_include_directories(qt-smallest-window PRIVATE ${PROJECT_SOURCE_DIR})
endif()
