# The GIF reader with frame drawing, and the LZW decoder on its own.
if(TARGET corpo_gif)
  corpo_fuzz_harness(gif SOURCES fuzz_gif.cpp LIBS corpo_gif
                     INPUTS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/gif)
  corpo_fuzz_harness(lzw SOURCES fuzz_lzw.cpp LIBS corpo_gif
                     INPUTS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/lzw)
endif()
