# The GIF reader, then drawing and saving what it read; the public suites and hand-made
# files as seeds.
if(TARGET corpo_gif)
  corpo_fuzz_harness(gif_reader SOURCES fuzz_gif_reader.cpp LIBS corpo_gif
                     INPUTS ${CORPOMETER_GIF_SUITES_DIR}
                            ${CMAKE_CURRENT_SOURCE_DIR}/seeds/gif_reader)
endif()
