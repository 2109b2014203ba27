# Start-up: the yardsticks bench/startup.sh times corpometer against, from exec to the first
# painted window: the smallest Qt Widgets window, and Corpometer's window made of stock Qt
# widgets.
if(CORPOMETER_WITH_QT)
  add_executable(qt-smallest-window ${CMAKE_CURRENT_SOURCE_DIR}/SmallestWindow.cpp)
  target_link_libraries(qt-smallest-window PRIVATE Qt6::Widgets)
  target_include_directories(qt-smallest-window PRIVATE ${PROJECT_SOURCE_DIR})

  add_executable(qt-stock-form ${CMAKE_CURRENT_SOURCE_DIR}/StockForm.cpp
                 ${PROJECT_SOURCE_DIR}/app/ui/WindowFonts.cpp)
  target_link_libraries(qt-stock-form PRIVATE Qt6::Widgets)
  target_include_directories(qt-stock-form PRIVATE ${PROJECT_SOURCE_DIR})
endif()
