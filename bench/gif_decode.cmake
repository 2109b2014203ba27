# GIF decoding (GifImage::LoadFromStream) against giflib's DGifSlurp, file by file.
corpo_gif_corpus_bench(corpo_gif_decode_bench ${CMAKE_CURRENT_SOURCE_DIR}/gif_decode_bench.cpp)
