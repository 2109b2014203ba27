# The GIF reader on long streams made from short inputs: many repeated frames, or one frame
# with long data.
if(TARGET corpo_gif)
  corpo_fuzz_harness(gif_repeated SOURCES fuzz_gif_repeated.cpp LIBS corpo_gif
                     INPUTS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/gif_repeated)
endif()
