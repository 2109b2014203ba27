# GIF decoding (GifImage::LoadFromStream) against giflib's DGifSlurp, file by file, in fresh
# processes and in a warm one; and against Wuffs when its single-file release is found.
corpo_gif_corpus_bench(corpo_gif_decode_bench ${CMAKE_CURRENT_SOURCE_DIR}/gif_decode_bench.cpp
                       ${CMAKE_CURRENT_SOURCE_DIR}/FreshProcess.cpp)
# Bound at start like the codec's calls (see the top-level CMakeLists.txt), so that no
# decoder's fresh load pays for looking up the functions it calls first: giflib's library
# is built to bind at start too.
if(NOT WIN32)
  target_compile_options(corpo_gif_decode_bench PRIVATE -fno-plt)
endif()

# Wuffs' single-file release, named by CORPOMETER_WUFFS_SOURCE or else looked for beside the
# source tree (the peers folder of a checkout's shared workspace). A build that finds none
# names no path beside its tree: a packager's clone must not reach out of itself.
set(CORPOMETER_WUFFS_SOURCE "" CACHE FILEPATH
    "Wuffs' single-file C release, a third decoder in corpo_gif_decode_bench (empty: \
../shared/peers/wuffs/wuffs-v0.4.c beside the source tree, when there)")
set(wuffs_source "${CORPOMETER_WUFFS_SOURCE}")
if(NOT wuffs_source AND EXISTS "${PROJECT_SOURCE_DIR}/../shared/peers/wuffs/wuffs-v0.4.c")
  set(wuffs_source "${PROJECT_SOURCE_DIR}/../shared/peers/wuffs/wuffs-v0.4.c")
endif()
if(wuffs_source AND EXISTS "${wuffs_source}")
  get_filename_component(wuffs_source "${wuffs_source}" ABSOLUTE)
  target_sources(corpo_gif_decode_bench PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/WuffsPeer.cpp)
  target_compile_definitions(corpo_gif_decode_bench PRIVATE CORPOMETER_WITH_WUFFS
                             CORPOMETER_WUFFS_SOURCE="${wuffs_source}")
  # Its code is not ours to warn about.
  set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/WuffsPeer.cpp PROPERTIES
                              COMPILE_OPTIONS -w OBJECT_DEPENDS "${wuffs_source}")
  message(STATUS "corpo_gif_decode_bench: Wuffs from ${wuffs_source}")
else()
  message(STATUS "corpo_gif_decode_bench: no Wuffs found (CORPOMETER_WUFFS_SOURCE)")
endif()
