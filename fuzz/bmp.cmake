# The bitmap file reader of the graphics layer.
if(TARGET corpo_platform)
  corpo_fuzz_harness(bmp SOURCES fuzz_bmp.cpp LIBS corpo_platform
                     INPUTS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/bmp)
endif()
