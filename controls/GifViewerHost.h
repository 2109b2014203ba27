#pragma once
// What the GIF viewer needs from the window that hosts it: its delay timer, its client
// area (size, background colour and a device context onto a 32-bit surface of that size),
// its window properties, its resources, and somewhere to raise GIFFrameRendered.
//
// The viewer's input events (Click, DblClick, KeyPress, MouseDown, MouseMove, MouseUp) go
// straight from the window to its container: the viewer does nothing with them, so they
// never pass through here.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/SystemColors.h"
#include "platform/gdi/Gdi.h"

namespace controls {

class GifViewerHost {
  public:
    virtual ~GifViewerHost() = default;

    // The delay timer. The interval is in milliseconds; the host calls GifViewer::DelayTimerTick
    // on every tick while the timer is enabled.
    virtual void SetTimerInterval(std::int32_t milliseconds) = 0;
    virtual std::int32_t TimerInterval() const = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;
    virtual bool TimerEnabled() const = 0;

    // The client area in pixels.
    virtual std::int32_t ClientWidth() const = 0;
    virtual std::int32_t ClientHeight() const = 0;

    // A device context onto the client area's surface: 32 bits per pixel, the client size.
    // What is drawn there stays until it is drawn over; the host shows it after
    // SurfaceChanged. A resize gives a new surface filled with the background colour.
    virtual platform::gdi::HDC hDC() = 0;
    virtual void SurfaceChanged() = 0;

    // Properties of the control's own window, kept and applied by the host.
    virtual platform::OLE_COLOR BackColor() const = 0;
    virtual void SetBackColor(platform::OLE_COLOR colour) = 0;
    virtual std::int16_t BorderStyle() const = 0;  // 0 none, 1 fixed single
    virtual void SetBorderStyle(std::int16_t style) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;

    // The bytes of the program's resource `resourceId` of type `resourceType`. Throws
    // std::runtime_error when there is no such resource or it cannot be read.
    virtual std::vector<std::uint8_t> ReadResource(const std::string& resourceId,
                                                   const std::string& resourceType) = 0;

    // The event raised after each composed frame, before the viewer advances and paints.
    virtual void RaiseGIFFrameRendered(std::int16_t frame) = 0;
};

}  // namespace controls
