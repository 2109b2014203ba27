# GIF encoding (GifImage::Save) against giflib's EGif functions, same frames and palettes, in
# this process and in fresh ones.
corpo_gif_corpus_bench(corpo_gif_encode_bench ${CMAKE_CURRENT_SOURCE_DIR}/gif_encode_bench.cpp
                       ${CMAKE_CURRENT_SOURCE_DIR}/FreshProcess.cpp)
