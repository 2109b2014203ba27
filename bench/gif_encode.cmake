# GIF encoding (GifImage::Save) against giflib's EGif functions, same frames and palettes.
corpo_gif_corpus_bench(corpo_gif_encode_bench ${CMAKE_CURRENT_SOURCE_DIR}/gif_encode_bench.cpp)
