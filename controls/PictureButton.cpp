#include "controls/PictureButton.h"

namespace controls {
namespace {

constexpr char kPictureKey[] = "Picture";
constexpr char kPictureHoverKey[] = "PictureHover";
constexpr char kPictureDownKey[] = "PictureDown";

// Drawing goes on past a step that fails: a failure in one step must not keep the next
// from running, and nothing reaches the caller.
template <typename Step>
void Attempt(Step step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

PictureButton::PictureButton(PictureButtonHost& host, const CursorProbe& probe)
    : host_(host), probe_(probe) {}

void PictureButton::SetPicture(const platform::PicturePtr& picture) {
    picture_ = picture;
    DrawState();
    host_.PropertyChanged(kPictureKey);
}

void PictureButton::SetPictureHover(const platform::PicturePtr& picture) {
    pictureHover_ = picture;
    DrawState();
    host_.PropertyChanged(kPictureHoverKey);
}

void PictureButton::SetPictureDown(const platform::PicturePtr& picture) {
    pictureDown_ = picture;
    DrawState();
    host_.PropertyChanged(kPictureDownKey);
}

void PictureButton::ReadProperties(const platform::PropertyBag& bag) {
    picture_ = bag.Read<platform::PicturePtr>(kPictureKey, nullptr);
    pictureHover_ = bag.Read<platform::PicturePtr>(kPictureHoverKey, nullptr);
    pictureDown_ = bag.Read<platform::PicturePtr>(kPictureDownKey, nullptr);
}

void PictureButton::WriteProperties(platform::PropertyBag& bag) const {
    // No picture is the default, and a default is not stored.
    const platform::PropertyBag::Value noPicture = platform::PicturePtr();
    bag.WriteProperty(kPictureKey, picture_, noPicture);
    bag.WriteProperty(kPictureHoverKey, pictureHover_, noPicture);
    bag.WriteProperty(kPictureDownKey, pictureDown_, noPicture);
}

void PictureButton::OnMouseMove(std::int16_t Button, std::int16_t Shift, float x, float y) {
    host_.RaiseMouseMove(Button, Shift, x, y);
    if (Button >= kRightButton) return;  // right or middle held, alone or with others

    if (!IsMouseOver()) {
        // Leaving is announced by the poll timer, which keeps running.
        mouseInside_ = false;
        state_ = Rest;
        DrawState();
    } else if (Button == 0 && !mouseInside_) {
        SetTimer(true);
        mouseInside_ = true;
        host_.RaiseMouseEnter();
        state_ = Hover;
        DrawState();
    } else if (Button == kLeftButton) {
        // Dragging back over the button presses it again. Inside stays false, so the next
        // plain move over it arms the timer and announces MouseEnter once more.
        state_ = Down;
        DrawState();
        mouseInside_ = false;
    }
}

void PictureButton::OnMouseDown(std::int16_t Button, std::int16_t Shift, float x, float y) {
    host_.RaiseMouseDown(Button, Shift, x, y);
    if (Button == kLeftButton) {
        state_ = Down;
        DrawState();
    }
}

void PictureButton::OnMouseUp(std::int16_t Button, std::int16_t Shift, float x, float y) {
    host_.RaiseMouseUp(Button, Shift, x, y);
    state_ = IsMouseOver() ? Hover : Rest;
    DrawState();
}

void PictureButton::OnClick() {
    host_.RaiseClick();
}

void PictureButton::OnDblClick() {
    host_.RaiseDblClick();
}

void PictureButton::OnUpdateTimer() {
    if (IsMouseOver()) return;
    SetTimer(false);
    mouseInside_ = false;
    host_.RaiseMouseLeave();  // handlers see the previous picture still on show
    state_ = Rest;
    DrawState();
}

void PictureButton::Resize() {
    DrawState();
}

void PictureButton::OnKeyPress() {
    keyPressed_ = true;
    state_ = Down;
    DrawState();
}

void PictureButton::OnKeyRelease() {
    if (!keyPressed_) return;  // the press went to another control
    keyPressed_ = false;
    state_ = IsMouseOver() ? Hover : Rest;
    DrawState();
    host_.RaiseClick();
}

void PictureButton::OnKeyCancel() {
    if (!keyPressed_) return;
    keyPressed_ = false;
    state_ = IsMouseOver() ? Hover : Rest;
    DrawState();
}

void PictureButton::DrawState() {
    const platform::PicturePtr& shown = state_ == Hover  ? pictureHover_
                                        : state_ == Down ? pictureDown_
                                                         : picture_;
    // Keep our own reference: a host handler may replace the property while we draw.
    const platform::PicturePtr picture = shown;

    Attempt([&] { host_.ClearSurface(); });
    Attempt([&] {
        if (picture) host_.DrawPicture(*picture);
    });
    if (picture) {
        holderWidth_ = picture->Width();
        holderHeight_ = picture->Height();
    }
    const int width = holderWidth_;
    const int height = holderHeight_;
    Attempt([&] { host_.SetWidth(width); });
    Attempt([&] { host_.SetHeight(height); });
}

bool PictureButton::IsMouseOver() const {
    const ScreenPoint cursor = probe_.GetCursorPos();
    return probe_.WindowFromPoint(cursor) == host_.Window();
}

void PictureButton::SetTimer(bool enabled) {
    timerEnabled_ = enabled;
    host_.SetUpdateTimerEnabled(enabled);
}

}  // namespace controls
