// The GIF viewer on arbitrary bytes: loaded as a resource, then stepped through its frames
// and once round to frame 1 again, in a client area smaller than most images. Frames may
// lie anywhere, have any size and any disposal; the logical screen may be empty or huge.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "controls/GifViewer.h"
#include "controls/MemoryViewerHost.h"
#include "controls/TranslatedColour.h"
#include "gif/GifReader.h"

namespace {

constexpr int kClientWidth = 41;
constexpr int kClientHeight = 23;
constexpr int kMostFramesStepped = 40;  // keeps each run quick on long animations
constexpr std::uint32_t kBackColor = 0x00563412;
// The viewer loads with the reader's full bitmap budget. Images that need more than a small
// one, or whose logical screen is larger than a small one, are left to the reader's own
// harness: every step composes the whole screen, and instrumented, large ones would spend
// a run's time on pixels rather than on the viewer's paths.
constexpr std::uint64_t kBudget = std::uint64_t{64} << 10;
constexpr std::int32_t kMostScreenPixels = 128 * 128;

// Whether the image decodes within the small budget and its buffers are small.
bool SmallEnough(const std::uint8_t* data, size_t size) {
    gif::GifImage probe;
    try {
        if (gif::GifReader(kBudget).Read(data, size, probe.Model()) != gif::GifLoadStatus::Loaded)
            return true;
    } catch (const std::out_of_range&) {
        return true;
    }
    if (std::int32_t{probe.ScreenWidth()} * probe.ScreenHeight() > kMostScreenPixels) return false;
    for (gif::FrameNumber n = 1; n <= probe.FramesCount(); ++n) {
        if (probe.FrameDIBXOR(n)->hDIB() == nullptr) return false;  // past the budget (or empty)
    }
    return true;
}

std::uint32_t PixelAt(const controls::ControlSurface& surface, int x, int y) {
    const std::uint8_t* pixel = surface.Bits() + static_cast<size_t>(y) * surface.Stride() + x * 4;
    return pixel[2] | pixel[1] << 8 | pixel[0] << 16;  // as a colour reference
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (!SmallEnough(data, size)) return 0;
    controls::MemoryViewerHost host(kClientWidth, kClientHeight);
    host.SetBackColor(kBackColor);
    host.AddResource("FUZZ", "GIF", std::vector<std::uint8_t>(data, data + size));
    controls::GifViewer viewer(host);

    std::int16_t expected = 1;
    host.onFrameRendered = [&](std::int16_t frame) {
        // Frames come in order and the current frame is the one just rendered.
        if (frame != expected || viewer.GIFCurrentFrame() != frame) __builtin_trap();
        expected = frame < viewer.GIFFrames() ? static_cast<std::int16_t>(frame + 1) : 1;
    };

    bool loaded = false;
    try {
        loaded = viewer.LoadFromResource("FUZZ", "GIF");
    } catch (const std::out_of_range&) {
        // Streams too short for the header are the caller's error, by design.
        if (size > 3) __builtin_trap();
        return 0;
    }
    if (loaded != (viewer.GIFFrames() > 0) || viewer.GIFIsPlaying()) __builtin_trap();
    if (!loaded) return 0;

    const int steps =
        viewer.GIFFrames() < kMostFramesStepped ? viewer.GIFFrames() : kMostFramesStepped;
    for (int step = 0; step < steps; ++step)
        viewer.NextFrame();
    if (viewer.GIFCurrentFrame() < 1 || viewer.GIFCurrentFrame() > viewer.GIFFrames())
        __builtin_trap();

    // The client area outside the fit rectangle shows the back colour; the picture is never
    // enlarged and lies inside the client area.
    const controls::ControlSurface& surface = host.Surface();
    if (surface.Width() != kClientWidth || surface.Height() != kClientHeight) __builtin_trap();
    if (viewer.DisplayBuffer().hDIB() != nullptr) {
        if (viewer.FitLeft() < 0 || viewer.FitTop() < 0 ||
            viewer.FitLeft() + viewer.FitWidth() > kClientWidth ||
            viewer.FitTop() + viewer.FitHeight() > kClientHeight ||
            viewer.FitWidth() > viewer.GIFWidth() || viewer.FitHeight() > viewer.GIFHeight())
            __builtin_trap();
        const std::uint32_t back = controls::TranslatedColour(kBackColor);
        for (int y = 0; y < kClientHeight; ++y) {
            for (int x = 0; x < kClientWidth; ++x) {
                const bool inside =
                    x >= viewer.FitLeft() && x < viewer.FitLeft() + viewer.FitWidth() &&
                    y >= viewer.FitTop() && y < viewer.FitTop() + viewer.FitHeight();
                if (!inside && PixelAt(surface, x, y) != back) __builtin_trap();
            }
        }
    }

    viewer.Destroy();
    if (viewer.GIFLoaded() || PixelAt(surface, 0, 0) != controls::TranslatedColour(kBackColor))
        __builtin_trap();
    return 0;
}
