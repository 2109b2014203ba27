# The GIF viewer: one animation tick (compose and paint), and the minimal QMovie program that
# bench/banner_cpu.sh measures the whole program's CPU use against. The tick benchmark's
# animations come from the tests' GIF builder, so it is built with the tests.
if(TARGET corpo_testgif)
  add_executable(viewer_tick_bench ${CMAKE_CURRENT_SOURCE_DIR}/viewer_tick_bench.cpp)
  target_link_libraries(viewer_tick_bench PRIVATE corpo_controls corpo_testgif
                        benchmark::benchmark)
endif()

if(CORPOMETER_WITH_QT)
  add_executable(qmovie-banner ${CMAKE_CURRENT_SOURCE_DIR}/QMovieBanner.cpp)
  target_link_libraries(qmovie-banner PRIVATE Qt6::Widgets)
endif()
