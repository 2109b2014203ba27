# The GIF viewer's composition, with the public suites and the minimised corpus of earlier
# runs as seeds.
if(TARGET corpo_controls)
  corpo_fuzz_harness(gif_viewer SOURCES fuzz_gif_viewer.cpp LIBS corpo_controls
                     INPUTS ${CORPOMETER_GIF_SUITES_DIR}
                            ${CMAKE_CURRENT_SOURCE_DIR}/seeds/gif_viewer)
endif()
