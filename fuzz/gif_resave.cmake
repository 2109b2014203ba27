# The GIF writer on whatever the reader makes of arbitrary bytes, with the public suites and
# the minimised corpus of earlier runs as seeds.
if(TARGET corpo_gif)
  corpo_fuzz_harness(gif_resave SOURCES fuzz_gif_resave.cpp LIBS corpo_gif
                     INPUTS ${CORPOMETER_GIF_SUITES_DIR}
                            ${CMAKE_CURRENT_SOURCE_DIR}/seeds/gif_resave)
endif()
