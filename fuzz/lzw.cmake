# The LZW decoder on its own: code sizes, row widths and row orders chosen by the input.
if(TARGET corpo_gif)
  corpo_fuzz_harness(lzw SOURCES fuzz_lzw.cpp LIBS corpo_gif
                     INPUTS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/lzw)
endif()
