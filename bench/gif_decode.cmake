# GIF decoding (GifImage::LoadFromStream) against giflib's DGifSlurp, file by file, in fresh
# processes and in a warm one.
corpo_gif_corpus_bench(corpo_gif_decode_bench ${CMAKE_CURRENT_SOURCE_DIR}/gif_decode_bench.cpp
                       ${CMAKE_CURRENT_SOURCE_DIR}/FreshProcess.cpp)
