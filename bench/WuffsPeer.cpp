#include "WuffsPeer.h"

#include <cstdlib>

#define WUFFS_IMPLEMENTATION
#define WUFFS_CONFIG__STATIC_FUNCTIONS
#define WUFFS_CONFIG__MODULES
#define WUFFS_CONFIG__MODULE__BASE
#define WUFFS_CONFIG__MODULE__GIF
#include CORPOMETER_WUFFS_SOURCE

namespace wuffs_peer {

namespace {

// Owns the three allocations of one decode.
struct Buffers {
    wuffs_gif__decoder* decoder = nullptr;
    std::uint8_t* canvas = nullptr;
    std::uint8_t* work = nullptr;
    ~Buffers() {
        std::free(work);
        std::free(canvas);
        std::free(decoder);
    }
};

}  // namespace

bool DecodeToCanvas(const std::vector<std::uint8_t>& bytes) {
    Buffers buffers;
    buffers.decoder = static_cast<wuffs_gif__decoder*>(std::malloc(sizeof__wuffs_gif__decoder()));
    if (buffers.decoder == nullptr) return false;
    wuffs_base__status status = wuffs_gif__decoder__initialize(
        buffers.decoder, sizeof__wuffs_gif__decoder(), WUFFS_VERSION,
        WUFFS_INITIALIZE__LEAVE_INTERNAL_BUFFERS_UNINITIALIZED);
    if (!wuffs_base__status__is_ok(&status)) return false;

    wuffs_base__io_buffer source = wuffs_base__ptr_u8__reader(
        const_cast<std::uint8_t*>(bytes.data()), bytes.size(), true);
    wuffs_base__image_config image = {};
    status = wuffs_gif__decoder__decode_image_config(buffers.decoder, &image, &source);
    if (!wuffs_base__status__is_ok(&status)) return false;
    const std::uint32_t width = wuffs_base__pixel_config__width(&image.pixcfg);
    const std::uint32_t height = wuffs_base__pixel_config__height(&image.pixcfg);
    wuffs_base__pixel_config__set(&image.pixcfg, WUFFS_BASE__PIXEL_FORMAT__INDEXED__BGRA_BINARY,
                                  WUFFS_BASE__PIXEL_SUBSAMPLING__NONE, width, height);
    const size_t canvasBytes =
        WUFFS_BASE__PIXEL_FORMAT__INDEXED__PALETTE_BYTE_LENGTH + size_t(width) * height;
    buffers.canvas = static_cast<std::uint8_t*>(std::malloc(canvasBytes));
    if (buffers.canvas == nullptr) return false;
    wuffs_base__pixel_buffer pixels;
    status = wuffs_base__pixel_buffer__set_from_slice(
        &pixels, &image.pixcfg, wuffs_base__make_slice_u8(buffers.canvas, canvasBytes));
    if (!wuffs_base__status__is_ok(&status)) return false;
    const std::uint64_t workBytes = wuffs_gif__decoder__workbuf_len(buffers.decoder).max_incl;
    if (workBytes > 0) {
        buffers.work = static_cast<std::uint8_t*>(std::malloc(workBytes));
        if (buffers.work == nullptr) return false;
    }
    const wuffs_base__slice_u8 work = wuffs_base__make_slice_u8(buffers.work, workBytes);

    for (;;) {
        wuffs_base__frame_config frame = {};
        status = wuffs_gif__decoder__decode_frame_config(buffers.decoder, &frame, &source);
        if (status.repr == wuffs_base__note__end_of_data) return true;
        if (!wuffs_base__status__is_ok(&status)) return false;
        status = wuffs_gif__decoder__decode_frame(buffers.decoder, &pixels, &source,
                                                  WUFFS_BASE__PIXEL_BLEND__SRC, work, nullptr);
        if (!wuffs_base__status__is_ok(&status)) return false;
    }
}

}  // namespace wuffs_peer
