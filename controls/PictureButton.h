#pragma once
// A button that is nothing but three pictures: at rest, under the cursor, and pressed. It
// sizes itself to the picture on show. The platform tells it when the cursor moves over it
// but not when the cursor leaves, so while the cursor is taken to be inside, a poll timer
// checks whether it is still there.

#include <cstdint>

#include "controls/CursorProbe.h"
#include "controls/PictureButtonHost.h"
#include "platform/Picture.h"
#include "platform/PropertyBag.h"

namespace controls {

enum ButtonState : std::int16_t { Rest = 0, Hover = 1, Down = 2 };

// The platform's mouse-button mask.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;

// The requested poll interval; hosts apply the platform's timer minimum.
inline constexpr int kUpdateIntervalMs = 1;

class PictureButton {
  public:
    PictureButton(PictureButtonHost& host, const CursorProbe& probe);

    PictureButton(const PictureButton&) = delete;
    PictureButton& operator=(const PictureButton&) = delete;

    platform::PicturePtr Picture() const { return picture_; }
    void SetPicture(const platform::PicturePtr& picture);
    platform::PicturePtr PictureHover() const { return pictureHover_; }
    void SetPictureHover(const platform::PicturePtr& picture);
    platform::PicturePtr PictureDown() const { return pictureDown_; }
    void SetPictureDown(const platform::PicturePtr& picture);

    // The layout store: three pictures under "Picture", "PictureHover", "PictureDown".
    // Reading neither redraws nor reports a change.
    void ReadProperties(const platform::PropertyBag& bag);
    void WriteProperties(platform::PropertyBag& bag) const;

    // Input and notices from the host, with the values the platform delivered.
    void OnMouseMove(std::int16_t Button, std::int16_t Shift, float x, float y);
    void OnMouseDown(std::int16_t Button, std::int16_t Shift, float x, float y);
    void OnMouseUp(std::int16_t Button, std::int16_t Shift, float x, float y);
    void OnClick();
    void OnDblClick();
    void OnUpdateTimer();
    void Resize();

    // The keyboard's press (Space, or Enter at once): the key going down shows the pressed
    // picture, its release shows the picture the cursor calls for and raises the same
    // Click as the mouse; losing the focus with the key still down cancels the press.
    void OnKeyPress();
    void OnKeyRelease();
    void OnKeyCancel();

    std::int16_t State() const { return state_; }
    bool MouseInside() const { return mouseInside_; }
    bool UpdateTimerEnabled() const { return timerEnabled_; }

  private:
    void DrawState();
    bool IsMouseOver() const;
    void SetTimer(bool enabled);

    PictureButtonHost& host_;
    const CursorProbe& probe_;

    platform::PicturePtr picture_;
    platform::PicturePtr pictureHover_;
    platform::PicturePtr pictureDown_;
    std::int16_t state_ = Rest;
    bool mouseInside_ = false;
    bool timerEnabled_ = false;
    bool keyPressed_ = false;

    // The hidden holder that measures the picture on show. It keeps its last size while it
    // holds no picture, so a state without a picture keeps the button where it was instead
    // of shrinking it to nothing under the cursor.
    int holderWidth_ = 0;
    int holderHeight_ = 0;
};

}  // namespace controls
