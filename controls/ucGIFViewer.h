#pragma once
// ucGIFViewer: a control that plays an animated GIF. It owns one cGIF, composes the frames
// one after another into an off-screen buffer of the GIF's logical-screen size, honouring
// each frame's delay, position, transparency and disposal method, and paints that buffer
// into its client area, centred and shrunk to fit when the control is smaller than the
// image. One timer (tmrDelay, kept by the host) drives the animation.
//
// This is the control's logic without any toolkit: the window it lives in is reached
// through ucGIFViewerHost.

#include <cstdint>
#include <string>

#include "cGIF.h"
#include "dib/cDIB.h"
#include "platform/Picture.h"
#include "platform/PropertyBag.h"
#include "ucGIFViewerHost.h"

namespace controls {

class ucGIFViewer {
  public:
    explicit ucGIFViewer(ucGIFViewerHost& host);
    ~ucGIFViewer();
    ucGIFViewer(const ucGIFViewer&) = delete;
    ucGIFViewer& operator=(const ucGIFViewer&) = delete;

    // Methods.
    bool LoadFromFile(const std::string& FileName);
    // The bytes come from the host's resources; an unreadable resource throws to the
    // caller, after the viewer has been stopped and emptied.
    bool LoadFromResource(const std::string& ResourceID, const std::string& ResourceType);
    void Play();
    void Pause();
    void Rewind();
    void NextFrame();
    void Destroy();

    // Properties.
    bool GIFLoaded() const { return m_Frames > 0; }
    int16_t GIFWidth() const;
    int16_t GIFHeight() const;
    int16_t GIFFrames() const { return m_Frames; }
    int16_t GIFCurrentFrame() const { return m_CurrentFrame; }
    platform::PicturePtr GIFCurrentFrameImage() const;
    bool GIFIsPlaying() const;
    bool AutoPlay() const { return m_AutoPlay; }
    void SetAutoPlay(bool New_AutoPlay) { m_AutoPlay = New_AutoPlay; }
    uint32_t BackColor() const;
    void SetBackColor(uint32_t New_BackColor);
    int32_t BorderStyle() const;
    // Throws std::overflow_error for a style outside the 16-bit signed range.
    void SetBorderStyle(int32_t New_BorderStyle);
    bool enabled() const;
    void Setenabled(bool New_Enabled);

    // Persistence in the host's layout store: a new instance placed by a designer, and
    // loading and saving "AutoPlay", "BackColor", "BorderStyle" and "Enabled".
    void InitProperties();
    void ReadProperties(const platform::PropertyBag& PropBag);
    void WriteProperties(platform::PropertyBag& PropBag) const;

    // Notices from the host.
    void tmrDelay_Timer();
    void Paint();
    void Resize();

    // Timer interval in milliseconds for a frame delay in hundredths of a second.
    static int32_t DelayInterval(int16_t FrameDelay);

    // The display buffer: the composition including the frame rendered last.
    const cDIB& DIBScreen() const { return m_DIBScreen; }
    // Where in the client area the display buffer is painted.
    int32_t FitLeft() const { return m_bfx; }
    int32_t FitTop() const { return m_bfy; }
    int32_t FitWidth() const { return m_bfW; }
    int32_t FitHeight() const { return m_bfH; }

  private:
    void Stop();
    void Tick();
    void RenderFrame();
    void CreateBuffers();
    void FitToClient();
    void Restart(bool play);
    void PaintBorder();

    ucGIFViewerHost& host_;
    cGIF m_GIF;
    bool m_AutoPlay = false;
    int16_t m_Frames = 0;
    int16_t m_CurrentFrame = 0;
    cDIB m_DIBScreen;      // what is painted: the composition including the last frame
    cDIB m_DIBBack;        // what the next frame is drawn over
    cDIB m_DIBBackground;  // the back colour; the source of restore-to-background
    int32_t m_bfx = 0;
    int32_t m_bfy = 0;
    int32_t m_bfW = 0;
    int32_t m_bfH = 0;
};

}  // namespace controls
