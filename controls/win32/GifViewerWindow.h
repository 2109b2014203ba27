#pragma once
// The Win32 host of a GifViewer: a child window whose surface is a 32-bit bitmap of its client
// area in pixels, presented in one blit (stretched to the window's device pixels on a screen
// of another density), with the delay timer on the window, its resources read from the
// program's own, and the mouse's click and the keys passed on to the owner. It shows the
// system's dotted focus mark while it has the focus; it takes the focus from Tab only when
// SetTabStop says so.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlSurface.h"
#include "controls/GifViewer.h"
#include "controls/GifViewerHost.h"

namespace controls {

class GifViewerWindow : private GifViewerHost {
  public:
    // A hidden child of `parent` at `bounds` (device pixels of the parent's client area),
    // `scale` device pixels to a pixel, named `name` for screen readers.
    GifViewerWindow(HWND parent, int id, const RECT& bounds, double scale);
    ~GifViewerWindow() override;
    GifViewerWindow(const GifViewerWindow&) = delete;
    GifViewerWindow& operator=(const GifViewerWindow&) = delete;

    HWND Handle() const { return window_; }
    GifViewer& Viewer() { return *viewer_; }

    void OnClick(std::function<void()> handler) { click_ = std::move(handler); }
    // KeyPress: the character of a key pressed while the viewer has the focus.
    void OnKeyPress(std::function<void(std::int16_t keyAscii)> handler) {
        keyPress_ = std::move(handler);
    }

    void SetTabStop(bool stop);
    void SetName(const std::wstring& name);
    // A new place and scale (a move to a screen of another density).
    void Place(const RECT& bounds, double scale);

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void PaintTo(HDC dc);
    void MakeSurface();
    int BorderWidth() const;

    // GifViewerHost
    void SetTimerInterval(std::int32_t milliseconds) override;
    std::int32_t TimerInterval() const override { return timerInterval_; }
    void SetTimerEnabled(bool enabled) override;
    bool TimerEnabled() const override { return timerEnabled_; }
    std::int32_t ClientWidth() const override;
    std::int32_t ClientHeight() const override;
    platform::gdi::HDC hDC() override;
    void SurfaceChanged() override { InvalidateRect(window_, nullptr, FALSE); }
    platform::OLE_COLOR BackColor() const override { return backColor_; }
    void SetBackColor(platform::OLE_COLOR colour) override;
    std::int16_t BorderStyle() const override { return borderStyle_; }
    void SetBorderStyle(std::int16_t style) override;
    bool Enabled() const override { return IsWindowEnabled(window_) != FALSE; }
    void SetEnabled(bool enabled) override { EnableWindow(window_, enabled); }
    std::vector<std::uint8_t> ReadResource(const std::string& resourceId,
                                           const std::string& resourceType) override;
    void RaiseGIFFrameRendered(std::int16_t) override {}

    HWND window_ = nullptr;
    double scale_ = 1;
    std::int32_t timerInterval_ = 10;
    bool timerEnabled_ = false;
    platform::OLE_COLOR backColor_;
    std::int16_t borderStyle_ = 0;
    bool pressed_ = false;
    ControlSurface surface_;
    std::function<void()> click_;
    std::function<void(std::int16_t)> keyPress_;
    std::unique_ptr<GifViewer> viewer_;
};

}  // namespace controls
