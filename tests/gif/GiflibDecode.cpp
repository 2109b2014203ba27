#include "GiflibDecode.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace {

struct MemoryReader {
    const std::vector<std::uint8_t>* bytes;
    size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* into, int count) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const size_t left = reader->bytes->size() - reader->position;
    const size_t n = std::min(left, static_cast<size_t>(count));
    std::memcpy(into, reader->bytes->data() + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

std::vector<std::uint8_t> TableBytes(const ColorMapObject* map) {
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < map->ColorCount; ++i) {
        rgb.push_back(map->Colors[i].Red);
        rgb.push_back(map->Colors[i].Green);
        rgb.push_back(map->Colors[i].Blue);
    }
    return rgb;
}

// giflib has no text for some of its codes (0 among them) and returns null then.
std::string ErrorText(int code) {
    const char* text = GifErrorString(code);
    return text != nullptr ? text : "giflib error " + std::to_string(code);
}

}  // namespace

bool DecodeWithGiflib(const std::vector<std::uint8_t>& bytes, GiflibImage& image,
                      std::string& error) {
    MemoryReader reader{&bytes, 0};
    int code = 0;
    GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &code);
    if (gif == nullptr) {
        error = ErrorText(code);
        return false;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        error = ErrorText(gif->Error);
        DGifCloseFile(gif, &code);
        return false;
    }
    image = GiflibImage{};
    image.screenWidth = gif->SWidth;
    image.screenHeight = gif->SHeight;
    image.background = gif->SBackGroundColor;
    image.aspect = gif->AspectByte;
    if (gif->SColorMap != nullptr) {
        image.globalColours = gif->SColorMap->ColorCount;
        image.globalTable = TableBytes(gif->SColorMap);
    }
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& saved = gif->SavedImages[i];
        GiflibFrame frame;
        frame.left = saved.ImageDesc.Left;
        frame.top = saved.ImageDesc.Top;
        frame.width = saved.ImageDesc.Width;
        frame.height = saved.ImageDesc.Height;
        frame.interlaced = saved.ImageDesc.Interlace;
        if (saved.ImageDesc.ColorMap != nullptr) {
            frame.localColours = saved.ImageDesc.ColorMap->ColorCount;
            frame.localTable = TableBytes(saved.ImageDesc.ColorMap);
        }
        const size_t count = static_cast<size_t>(frame.width) * frame.height;
        frame.indices.assign(saved.RasterBits, saved.RasterBits + count);
        GraphicsControlBlock gcb;
        if (DGifSavedExtensionToGCB(gif, i, &gcb) == GIF_OK) {
            for (int e = 0; e < saved.ExtensionBlockCount; ++e) {
                if (saved.ExtensionBlocks[e].Function == GRAPHICS_EXT_FUNC_CODE) {
                    frame.hasGraphicControl = true;
                }
            }
            frame.disposal = gcb.DisposalMode;
            frame.delay = gcb.DelayTime;
            frame.transparentIndex = gcb.TransparentColor;
            frame.userInput = gcb.UserInputFlag;
        }
        // An application block names itself in its first sub-block; the loop count follows in
        // the next one (sub-block number, then the count, little-endian).
        for (int e = 0; e + 1 < saved.ExtensionBlockCount; ++e) {
            const ExtensionBlock& head = saved.ExtensionBlocks[e];
            const ExtensionBlock& data = saved.ExtensionBlocks[e + 1];
            if (head.Function == APPLICATION_EXT_FUNC_CODE && head.ByteCount == 11 &&
                std::memcmp(head.Bytes, "NETSCAPE2.0", 11) == 0 &&
                data.Function == CONTINUE_EXT_FUNC_CODE && data.ByteCount >= 3)
                image.loops = data.Bytes[1] | data.Bytes[2] << 8;
        }
        image.frames.push_back(std::move(frame));
    }
    DGifCloseFile(gif, &code);
    return true;
}
