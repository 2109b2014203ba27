# GIF decoding (GifImage::LoadFromStream) against giflib's DGifSlurp, file by file, in fresh
# processes and in a warm one; and against Wuffs when its single-file release is found.
corpo_gif_corpus_bench(corpo_gif_decode_bench ${CMAKE_CURRENT_SOURCE_DIR}/gif_decode_bench.cpp
                       ${CMAKE_CURRENT_SOURCE_DIR}/FreshProcess.cpp)

set(CORPOMETER_WUFFS_SOURCE "${PROJECT_SOURCE_DIR}/../shared/peers/wuffs/wuffs-v0.4.c"
    CACHE FILEPATH "Wuffs' single-file C release, a third decoder in corpo_gif_decode_bench")
if(EXISTS "${CORPOMETER_WUFFS_SOURCE}")
  get_filename_component(wuffs_source "${CORPOMETER_WUFFS_SOURCE}" ABSOLUTE)
  target_sources(corpo_gif_decode_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/WuffsPeer.cpp)
  target_compile_definitions(corpo_gif_decode_bench PRIVATE CORPOMETER_WITH_WUFFS
                             CORPOMETER_WUFFS_SOURCE="${wuffs_source}")
  # Its code is not ours to warn about.
  set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/WuffsPeer.cpp PROPERTIES
                              COMPILE_OPTIONS -w OBJECT_DEPENDS "${wuffs_source}")
  message(STATUS "corpo_gif_decode_bench: Wuffs from ${wuffs_source}")
else()
  message(STATUS "corpo_gif_decode_bench: no Wuffs (${CORPOMETER_WUFFS_SOURCE} missing)")
endif()
