# The GIF viewer's composition, with the public suites as seeds.
if(TARGET corpo_controls)
  corpo_fuzz_harness(gif_viewer SOURCES fuzz_gif_viewer.cpp LIBS corpo_controls
                     INPUTS ${CORPOMETER_GIF_SUITES_DIR})
endif()
