#include "PictureButton.h"

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

void PictureButton::SetPicture(const platform::PicturePtr& m_New_Picture) {
    m_Picture = m_New_Picture;
    DrawState();
    host_.PropertyChanged(kPictureKey);
}

void PictureButton::SetPictureHover(const platform::PicturePtr& m_New_PictureHover) {
    m_PictureHover = m_New_PictureHover;
    DrawState();
    host_.PropertyChanged(kPictureHoverKey);
}

void PictureButton::SetPictureDown(const platform::PicturePtr& m_New_PictureDown) {
    m_PictureDown = m_New_PictureDown;
    DrawState();
    host_.PropertyChanged(kPictureDownKey);
}

void PictureButton::ReadProperties(const platform::PropertyBag& bag) {
    m_Picture = bag.Read<platform::PicturePtr>(kPictureKey, nullptr);
    m_PictureHover = bag.Read<platform::PicturePtr>(kPictureHoverKey, nullptr);
    m_PictureDown = bag.Read<platform::PicturePtr>(kPictureDownKey, nullptr);
}

void PictureButton::WriteProperties(platform::PropertyBag& bag) const {
    // No picture is the default, and a default is not stored.
    const platform::PropertyBag::Value noPicture = platform::PicturePtr();
    bag.WriteProperty(kPictureKey, m_Picture, noPicture);
    bag.WriteProperty(kPictureHoverKey, m_PictureHover, noPicture);
    bag.WriteProperty(kPictureDownKey, m_PictureDown, noPicture);
}

void PictureButton::OnMouseMove(int16_t Button, int16_t Shift, float x, float y) {
    host_.RaiseMouseMove(Button, Shift, x, y);
    if (Button >= kRightButton) return;  // right or middle held, alone or with others

    if (!IsMouseOver()) {
        // Leaving is announced by the poll timer, which keeps running.
        m_MouseInside = false;
        m_State = Rest;
        DrawState();
    } else if (Button == 0 && !m_MouseInside) {
        SetTimer(true);
        m_MouseInside = true;
        host_.RaiseMouseEnter();
        m_State = Hover;
        DrawState();
    } else if (Button == kLeftButton) {
        // Dragging back over the button presses it again. Inside stays false, so the next
        // plain move over it arms the timer and announces MouseEnter once more.
        m_State = Down;
        DrawState();
        m_MouseInside = false;
    }
}

void PictureButton::OnMouseDown(int16_t Button, int16_t Shift, float x, float y) {
    host_.RaiseMouseDown(Button, Shift, x, y);
    if (Button == kLeftButton) {
        m_State = Down;
        DrawState();
    }
}

void PictureButton::OnMouseUp(int16_t Button, int16_t Shift, float x, float y) {
    host_.RaiseMouseUp(Button, Shift, x, y);
    m_State = IsMouseOver() ? Hover : Rest;
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
    m_MouseInside = false;
    host_.RaiseMouseLeave();  // handlers see the previous picture still on show
    m_State = Rest;
    DrawState();
}

void PictureButton::Resize() {
    DrawState();
}

void PictureButton::OnKeyPress() {
    keyPressed_ = true;
    m_State = Down;
    DrawState();
}

void PictureButton::OnKeyRelease() {
    if (!keyPressed_) return;  // the press went to another control
    keyPressed_ = false;
    m_State = IsMouseOver() ? Hover : Rest;
    DrawState();
    host_.RaiseClick();
}

void PictureButton::OnKeyCancel() {
    if (!keyPressed_) return;
    keyPressed_ = false;
    m_State = IsMouseOver() ? Hover : Rest;
    DrawState();
}

void PictureButton::DrawState() {
    const platform::PicturePtr& shown = m_State == Hover  ? m_PictureHover
                                        : m_State == Down ? m_PictureDown
                                                          : m_Picture;
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
