# The GIF reader, with the public suites as seeds.
if(TARGET corpo_gif)
  corpo_fuzz_harness(gif_reader SOURCES fuzz_gif_reader.cpp LIBS corpo_gif
                     INPUTS ${CORPOMETER_TESTDATA_DIR}/gif)
endif()
