# GIF encoding (cGIF::Save) against giflib's EGif functions; giflib is a benchmark-only
# dependency, never in the product.
find_package(GIF REQUIRED)

# The corpus is generated at benchmark time into the build folder, shared with the decoding
# benchmark (whichever list comes first defines its target):
#   cmake --build build --target corpo_gif_encode_bench_run
set(gif_bench_corpus ${CMAKE_CURRENT_BINARY_DIR}/gif-corpus)
if(NOT TARGET gif_bench_corpus)
  add_custom_command(
    OUTPUT ${gif_bench_corpus}/made.stamp
    COMMAND bash ${CORPOMETER_BENCH_DIR}/make-corpus.sh ${gif_bench_corpus}
    COMMAND ${CMAKE_COMMAND} -E touch ${gif_bench_corpus}/made.stamp
    COMMENT "Making the GIF benchmark corpus (ImageMagick)"
    VERBATIM)
  add_custom_target(gif_bench_corpus DEPENDS ${gif_bench_corpus}/made.stamp)
endif()

add_executable(corpo_gif_encode_bench ${CMAKE_CURRENT_SOURCE_DIR}/gif_encode_bench.cpp)
target_link_libraries(corpo_gif_encode_bench PRIVATE corpo_gif GIF::GIF benchmark::benchmark)
target_compile_definitions(corpo_gif_encode_bench PRIVATE
  CORPOMETER_GIF_CORPUS_DIR="${gif_bench_corpus}")

add_custom_target(corpo_gif_encode_bench_run
  COMMAND corpo_gif_encode_bench ${gif_bench_corpus}
  DEPENDS corpo_gif_encode_bench gif_bench_corpus
  USES_TERMINAL)
