#pragma once
// A GIF viewer host without a window: its surface is a 32-bit bitmap of the client size, its
// timer only records what the viewer asks of it (whoever drives it calls the viewer's tick),
// and its resources are byte arrays registered by name. The composition tool, the
// benchmarks and the tests host the viewer in one.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "controls/ControlSurface.h"
#include "controls/GifViewerHost.h"

namespace controls {

class MemoryViewerHost : public GifViewerHost {
  public:
    // The initial values of a new control: button-face background, no border, enabled, and
    // the delay timer disabled with an interval of 10 ms.
    MemoryViewerHost(std::int32_t clientWidth, std::int32_t clientHeight);

    // Gives the surface a new size, filled with the background colour. The caller then
    // sends the viewer its Resize notice, as a window would.
    void SetClientSize(std::int32_t clientWidth, std::int32_t clientHeight);
    // The surface, as painted so far.
    const ControlSurface& Surface() const { return surface_; }

    void AddResource(const std::string& resourceId, const std::string& resourceType,
                     std::vector<std::uint8_t> bytes);

    // Called with the frame number from GIFFrameRendered.
    std::function<void(std::int16_t)> onFrameRendered;

    int surfaceChanges = 0;  // how many times the viewer reported drawing

    void SetTimerInterval(std::int32_t milliseconds) override { timerInterval_ = milliseconds; }
    std::int32_t TimerInterval() const override { return timerInterval_; }
    void SetTimerEnabled(bool enabled) override { timerEnabled_ = enabled; }
    bool TimerEnabled() const override { return timerEnabled_; }
    std::int32_t ClientWidth() const override { return clientWidth_; }
    std::int32_t ClientHeight() const override { return clientHeight_; }
    platform::gdi::HDC hDC() override { return surface_.hDC(); }
    void SurfaceChanged() override { ++surfaceChanges; }
    platform::OLE_COLOR BackColor() const override { return backColor_; }
    void SetBackColor(platform::OLE_COLOR colour) override;
    std::int16_t BorderStyle() const override { return borderStyle_; }
    void SetBorderStyle(std::int16_t style) override { borderStyle_ = style; }
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    std::vector<std::uint8_t> ReadResource(const std::string& resourceId,
                                           const std::string& resourceType) override;
    void RaiseGIFFrameRendered(std::int16_t frame) override;

  private:
    std::int32_t clientWidth_;
    std::int32_t clientHeight_;
    ControlSurface surface_;
    std::int32_t timerInterval_ = 10;
    bool timerEnabled_ = false;
    platform::OLE_COLOR backColor_;
    std::int16_t borderStyle_ = 0;
    bool enabled_ = true;
    std::map<std::pair<std::string, std::string>, std::vector<std::uint8_t>> resources_;
};

}  // namespace controls
