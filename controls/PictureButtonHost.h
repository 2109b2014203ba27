#pragma once
// What a PictureButton needs from the window that hosts it: its surface, its size, its poll
// timer, the layout store's change notice, and the host's event handlers.

#include <cstdint>
#include <string>

#include "controls/CursorProbe.h"
#include "platform/Picture.h"

namespace controls {

class PictureButtonHost {
  public:
    virtual ~PictureButtonHost() = default;

    // The control's own window, as the cursor probe reports it.
    virtual WindowHandle Window() const = 0;

    // Clears the whole surface to the control's background colour.
    virtual void ClearSurface() = 0;
    // Draws `picture` at its natural size with its top-left corner at (0, 0).
    virtual void DrawPicture(const platform::Picture& picture) = 0;

    // Size in pixels. A change makes the host call PictureButton::Resize (possibly from
    // inside these calls).
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;

    virtual void SetUpdateTimerEnabled(bool enabled) = 0;

    // The persisted property `name` has changed; the host saves its layout.
    virtual void PropertyChanged(const std::string& name) = 0;

    // Raises the control's events, in declaration order. Mouse events pass their values by
    // reference: a handler that changes `Button` changes what the control does next.
    virtual void RaiseClick() = 0;
    virtual void RaiseDblClick() = 0;
    virtual void RaiseMouseMove(std::int16_t& Button, std::int16_t& Shift, float& x, float& y) = 0;
    virtual void RaiseMouseUp(std::int16_t& Button, std::int16_t& Shift, float& x, float& y) = 0;
    virtual void RaiseMouseDown(std::int16_t& Button, std::int16_t& Shift, float& x, float& y) = 0;
    virtual void RaiseMouseEnter() = 0;
    virtual void RaiseMouseLeave() = 0;
};

}  // namespace controls
