#include "tools/corpogif/GifInfo.h"

#include <cstdio>
#include <sstream>

#include "dib/Dib.h"
#include "gif/GifImage.h"
#include "tools/corpogif/FrameDigests.h"

namespace corpogif {

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string OrNull(const std::string& text) {
    return text.empty() ? "null" : Quoted(text);
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

// The model keeps the file's 16-bit fields signed; the file stores them from 0 to 65535.
unsigned Stored(std::int16_t value) {
    return static_cast<std::uint16_t>(value);
}

}  // namespace

std::string GifInfoJson(const gif::GifImage& gif, bool loaded, const std::string& version,
                        const std::string& damage) {
    // A file that did not load has no screen, palette or frames worth reporting: whatever
    // the model holds then was never read from it.
    if (!loaded) return "{\"loaded\": false}";
    std::ostringstream out;
    out << "{\"loaded\": " << Bool(loaded) << ", \"complete\": " << Bool(damage.empty());
    if (!damage.empty()) out << ", \"damage\": " << Quoted(damage);
    out << ", \"version\": " << OrNull(version)
        << ", \"screen\": {\"width\": " << Stored(gif.ScreenWidth())
        << ", \"height\": " << Stored(gif.ScreenHeight())
        << ", \"background\": " << int{gif.ScreenBackgroundColorIndex()};
    // The byte as stored; 0 means that the file gives no ratio, so none is printed.
    const int aspect = gif.Model().screen.aspectByte;
    out << ", \"aspect_byte\": " << aspect;
    if (aspect != 0) out << ", \"aspect_ratio\": " << gif.ScreenPixelAspectRatio();
    out << "}, \"loops\": "
        << (gif.HasLoopingExtension() ? std::to_string(Stored(gif.AnimationLoops())) : "null")
        << ", \"global_palette\": {\"exists\": " << Bool(gif.GlobalPaletteExists())
        << ", \"sorted\": " << Bool(gif.GlobalPaletteSorted())
        << ", \"entries\": " << gif.GlobalPaletteEntries()
        << "}, \"frame_count\": " << gif.FramesCount() << ", \"frames\": [";
    for (gif::FrameNumber n = 1; n <= gif.FramesCount(); ++n) {
        const auto colour = gif.FrameDIBXOR(n);
        const auto mask = gif.FrameDIBAND(n);
        out << (n > 1 ? ", " : "") << "{\"left\": " << Stored(gif.FrameLeft(n))
            << ", \"top\": " << Stored(gif.FrameTop(n)) << ", \"width\": " << gif.FrameWidth(n)
            << ", \"height\": " << gif.FrameHeight(n)
            << ", \"delay\": " << Stored(gif.FrameDelay(n))
            << ", \"disposal\": " << gif.FrameDisposalMethod(n)
            << ", \"user_input\": " << Bool(gif.FrameUserInput(n))
            << ", \"interlaced\": " << Bool(gif.FrameInterlaced(n)) << ", \"transparent\": ";
        if (gif.FrameUseTransparentColor(n))
            out << int{gif.FrameTransparentColorIndex(n)};
        else
            out << "null";
        out << ", \"local_palette\": {\"used\": " << Bool(gif.LocalPaletteUsed(n))
            << ", \"sorted\": " << Bool(gif.LocalPaletteSorted(n))
            << ", \"entries\": " << gif.LocalPaletteEntries(n) << "}";
        // A frame whose data falls short has no digest to compare with anyone's: what it
        // shows past its data was never in the file. Hashing the pixels it only claims would
        // cost the time of their size, not of the file's.
        const std::uint64_t pixelsRead = gif.Model().frames[n - 1].pixelsRead;
        if (colour &&
            pixelsRead < static_cast<std::uint64_t>(gif.FrameWidth(n)) * gif.FrameHeight(n)) {
            out << ", \"pixels_read\": " << pixelsRead
                << ", \"indices_md5\": null, \"mask_md5\": null}";
            continue;
        }
        out << ", \"indices_md5\": " << OrNull(colour ? IndicesMd5(*colour) : std::string())
            << ", \"mask_md5\": " << OrNull(mask ? MaskMd5(*mask) : std::string()) << "}";
    }
    out << "]}";
    return out.str();
}

}  // namespace corpogif
