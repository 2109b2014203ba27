#pragma once
// GifViewer: a control that plays an animated GIF. It owns one GifImage and plays it: its
// timer follows each frame's delay, a GifCompositor composes the frames one after another
// (position, transparency, disposal) into a buffer of the GIF's logical-screen size, and the
// viewer paints that buffer into its client area, centred and shrunk to fit when the control
// is smaller than the image. One timer (the delay timer, kept by the host) drives it.
//
// This is the control's logic without any toolkit: the window it lives in is reached
// through GifViewerHost.

#include <cstdint>
#include <string>

#include "controls/GifViewerHost.h"
#include "dib/Dib.h"
#include "gif/GifCompositor.h"
#include "gif/GifImage.h"
#include "platform/Picture.h"
#include "platform/PropertyBag.h"

namespace controls {

class GifViewer {
  public:
    explicit GifViewer(GifViewerHost& host);
    ~GifViewer();
    GifViewer(const GifViewer&) = delete;
    GifViewer& operator=(const GifViewer&) = delete;

    // What a load may take (GifImage::SetLoadLimits), for the loads that follow. The three
    // buffers of the image's screen size may take no more than its pixel memory either: a
    // GIF whose screen would not fit is not shown, as one that does not load.
    void SetLoadLimits(const gif::GifLoadLimits& limits) { image_.SetLoadLimits(limits); }
    // What the last load lost, its first fault ("" when it loaded whole).
    const std::string& LoadDamage() const { return image_.LoadDamage(); }

    // Methods.
    bool LoadFromFile(const std::string& fileName);
    // The bytes come from the host's resources; an unreadable resource throws to the
    // caller, after the viewer has been stopped and emptied.
    bool LoadFromResource(const std::string& resourceId, const std::string& resourceType);
    void Play();
    void Pause();
    void Rewind();
    void NextFrame();
    void Destroy();

    // Properties.
    bool GIFLoaded() const { return frameCount_ > 0; }
    std::int16_t GIFWidth() const;
    std::int16_t GIFHeight() const;
    std::int16_t GIFFrames() const { return frameCount_; }
    std::int16_t GIFCurrentFrame() const { return currentFrame_; }
    platform::PicturePtr GIFCurrentFrameImage() const;
    bool GIFIsPlaying() const;
    bool AutoPlay() const { return autoPlay_; }
    void SetAutoPlay(bool value) { autoPlay_ = value; }
    platform::OLE_COLOR BackColor() const;
    void SetBackColor(platform::OLE_COLOR value);
    std::int32_t BorderStyle() const;
    // Throws std::overflow_error for a style outside the 16-bit signed range.
    void SetBorderStyle(std::int32_t value);
    bool enabled() const;
    void Setenabled(bool value);

    // Persistence in the host's layout store: a new instance placed by a designer, and
    // loading and saving "AutoPlay", "BackColor", "BorderStyle" and "Enabled".
    void InitProperties();
    void ReadProperties(const platform::PropertyBag& bag);
    void WriteProperties(platform::PropertyBag& bag) const;

    // Notices from the host.
    void DelayTimerTick();
    void Paint();
    void Resize();

    // Timer interval in milliseconds for a frame delay in hundredths of a second.
    static std::int32_t DelayInterval(std::int16_t delay);

    // The display buffer: the composition including the frame rendered last.
    const dib::Dib& DisplayBuffer() const { return compositor_.Display(); }
    // Where in the client area the display buffer is painted.
    std::int32_t FitLeft() const { return fitLeft_; }
    std::int32_t FitTop() const { return fitTop_; }
    std::int32_t FitWidth() const { return fitWidth_; }
    std::int32_t FitHeight() const { return fitHeight_; }

  private:
    // The frame count of the image just loaded, or 0 when it is to be shown as not loaded.
    std::int16_t ShownFrameCount();
    void Stop();
    void Tick();
    void RenderFrame();
    void CreateBuffers();
    void FitToClient();
    void Restart(bool play);
    void PaintBorder();

    GifViewerHost& host_;
    gif::GifImage image_;
    bool autoPlay_ = false;
    std::int16_t frameCount_ = 0;
    std::int16_t currentFrame_ = 0;
    // the canvas, disposal and transparency; its display is painted
    gif::GifCompositor compositor_;
    std::int32_t fitLeft_ = 0;
    std::int32_t fitTop_ = 0;
    std::int32_t fitWidth_ = 0;
    std::int32_t fitHeight_ = 0;
};

}  // namespace controls
