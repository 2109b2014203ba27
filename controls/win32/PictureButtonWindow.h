#pragma once
// The Win32 host of a PictureButton: an owner-drawn BUTTON window, so that the focus, Tab,
// and the button's role and name for screen readers come from the system. Its surface holds
// the picture on show and is presented in one blit when the owner passes on WM_DRAWITEM; the
// focus shows as the system's dotted mark over the picture. The mouse and the keyboard
// (Space, and Enter at once) go to the button's logic, not to the system's button, which
// would draw itself pressed.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/ControlSurface.h"
#include "controls/PictureButton.h"
#include "controls/PictureButtonHost.h"
#include "controls/win32/Win32CursorProbe.h"

namespace controls {

class PictureButtonWindow : private PictureButtonHost {
  public:
    // A button of `parent` with the command identifier `id`, named `name` for screen readers,
    // its top-left corner at `left`, `top` (device pixels of the parent's client area), drawn at
    // `scale` device pixels to a pixel. It sizes itself once it has pictures.
    PictureButtonWindow(HWND parent, int id, const std::wstring& name, int left, int top,
                        double scale);
    ~PictureButtonWindow() override;
    PictureButtonWindow(const PictureButtonWindow&) = delete;
    PictureButtonWindow& operator=(const PictureButtonWindow&) = delete;

    HWND Handle() const { return window_; }
    PictureButton& Control() { return *button_; }

    // The button's Click, from the mouse or the keyboard.
    void OnClick(std::function<void()> handler) { click_ = std::move(handler); }

    // Places the button at `left`, `top` at a new scale (a move to a screen of another density).
    void Place(int left, int top, double scale);

    // The owner's WM_DRAWITEM for this button.
    void Draw(const DRAWITEMSTRUCT& item);

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void MouseEvent(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplySize();

    // PictureButtonHost
    WindowHandle Window() const override { return window_; }
    void ClearSurface() override;
    void DrawPicture(const platform::Picture& picture) override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetUpdateTimerEnabled(bool enabled) override;
    void PropertyChanged(const std::string&) override {}
    void RaiseClick() override {
        if (click_) click_();
    }
    void RaiseDblClick() override {}
    void RaiseMouseMove(std::int16_t&, std::int16_t&, float&, float&) override {}
    void RaiseMouseUp(std::int16_t&, std::int16_t&, float&, float&) override {}
    void RaiseMouseDown(std::int16_t&, std::int16_t&, float&, float&) override {}
    void RaiseMouseEnter() override {}
    void RaiseMouseLeave() override {}

    HWND window_ = nullptr;
    double scale_ = 1;
    int width_ = 0;  // in pixels
    int height_ = 0;
    bool pressed_ = false;  // the left button went down on it and is still held
    Win32CursorProbe cursor_;
    ControlSurface surface_;
    std::function<void()> click_;
    std::unique_ptr<PictureButton> button_;
};

}  // namespace controls
