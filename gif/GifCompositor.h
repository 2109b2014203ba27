#pragma once
// Plays a GIF image's frames onto a canvas of its logical screen: each frame is drawn with
// its transparency over what the frames before it left, and then disposed of as it asks.
// The GIF viewer shows the result; `corpogif frames` writes it out.
//
// Three 32-bit buffers of the logical screen's size: the display (the composition including
// the frame composed last), the canvas (what the next frame is drawn over) and the
// background (the back colour, the source of restore-to-background).

#include <cstdint>

#include "dib/Dib.h"

namespace gif {

class GifImage;

class GifCompositor {
  public:
    // New buffers of width x height, all filled with backColour. A size that cannot be made,
    // or does not even compute, leaves them empty; composing then draws nothing.
    void Reset(std::int32_t width, std::int32_t height, platform::OLE_COLOR backColour);
    // Releases the buffers.
    void Clear();

    // Draws frame `frameNumber` of the image over the canvas into the display, then
    // prepares the canvas for the next frame by the frame's disposal method. Frame 1 starts
    // a pass through the animation: the canvas is first cleared to backColour. Throws what
    // drawing the frame throws (a blank frame record has no bitmaps to draw).
    void Compose(const GifImage& image, std::int16_t frameNumber, platform::OLE_COLOR backColour);

    const dib::Dib& Display() const { return display_; }

  private:
    dib::Dib display_;
    dib::Dib canvas_;
    dib::Dib background_;
};

}  // namespace gif
