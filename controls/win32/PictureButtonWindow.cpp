#include "controls/win32/PictureButtonWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>

#include "controls/TimerInterval.h"
#include "controls/win32/SurfaceBlit.h"
#include "platform/SystemColors.h"

namespace controls {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr UINT_PTR kUpdateTimerId = 1;
constexpr int kFocusMarkInset = 2;  // pixels inside the button's edge

int DevicePixels(int pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

// The platform's mouse-button mask of a message's key state.
std::int16_t ButtonsHeld(WPARAM keys) {
    std::int16_t mask = 0;
    if (keys & MK_LBUTTON) mask |= kLeftButton;
    if (keys & MK_RBUTTON) mask |= kRightButton;
    if (keys & MK_MBUTTON) mask |= kMiddleButton;
    return mask;
}

std::int16_t ShiftHeld(WPARAM keys) {
    std::int16_t mask = 0;
    if (keys & MK_SHIFT) mask |= 1;
    if (keys & MK_CONTROL) mask |= 2;
    if (GetKeyState(VK_MENU) < 0) mask |= 4;
    return mask;
}

}  // namespace

PictureButtonWindow::PictureButtonWindow(HWND parent, int id, const std::wstring& name, int left,
                                         int top, double scale)
    : scale_(scale) {
    window_ = CreateWindowExW(0, L"BUTTON", name.c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, left, top, 1, 1,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowSubclass(window_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    surface_.SetPixelRatio(static_cast<int>(std::ceil(scale_)));
    button_ = std::make_unique<PictureButton>(static_cast<PictureButtonHost&>(*this), cursor_);
}

PictureButtonWindow::~PictureButtonWindow() {
    if (IsWindow(window_)) {
        KillTimer(window_, kUpdateTimerId);
        RemoveWindowSubclass(window_, SubclassProc, kSubclassId);
        DestroyWindow(window_);
    }
}

void PictureButtonWindow::Place(int left, int top, double scale) {
    scale_ = scale;
    surface_.SetPixelRatio(static_cast<int>(std::ceil(scale_)));
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplySize();
}

void PictureButtonWindow::Draw(const DRAWITEMSTRUCT& item) {
    BlitSurface(item.hDC, surface_, item.rcItem);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT mark = item.rcItem;
        const int inset = DevicePixels(kFocusMarkInset, scale_);
        InflateRect(&mark, -inset, -inset);
        DrawFocusRect(item.hDC, &mark);
    }
}

LRESULT CALLBACK PictureButtonWindow::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* button = reinterpret_cast<PictureButtonWindow*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, SubclassProc, kSubclassId);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return button->HandleMessage(message, wParam, lParam);
}

LRESULT PictureButtonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            // Not the system button's: a click leaves the focus where it was.
            MouseEvent(message, wParam, lParam);
            return 0;
        case WM_LBUTTONDBLCLK:
            // The second press of a double click is the double click itself.
            button_->OnDblClick();
            return 0;
        case WM_GETDLGCODE: {
            // Enter goes to the button itself, which presses at once; Space comes anyway. Not
            // a push button to the dialog manager, which would make it the default button by
            // changing its style, and the system would then draw it as one.
            LRESULT code = DLGC_BUTTON;
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SPACE || wParam == VK_RETURN) {
                const bool repeat = (lParam & (1 << 30)) != 0;
                if (!repeat) {
                    button_->OnKeyPress();
                    if (wParam == VK_RETURN) button_->OnKeyRelease();
                }
                return 0;
            }
            break;
        case WM_KEYUP:
            if (wParam == VK_SPACE) {
                button_->OnKeyRelease();
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L' ' || wParam == L'\r') return 0;
            break;
        case WM_KILLFOCUS:
            button_->OnKeyCancel();
            break;
        case WM_TIMER:
            if (wParam == kUpdateTimerId) {
                button_->OnUpdateTimer();
                return 0;
            }
            break;
        case BM_SETSTYLE:
            return 0;  // always owner-drawn
        case WM_ERASEBKGND:
            return 1;  // the picture covers the whole button
        default:
            break;
    }
    return DefSubclassProc(window_, message, wParam, lParam);
}

void PictureButtonWindow::MouseEvent(UINT message, WPARAM wParam, LPARAM lParam) {
    const float x = static_cast<float>(GET_X_LPARAM(lParam) / scale_);
    const float y = static_cast<float>(GET_Y_LPARAM(lParam) / scale_);
    const std::int16_t shift = ShiftHeld(wParam);
    switch (message) {
        case WM_MOUSEMOVE:
            button_->OnMouseMove(ButtonsHeld(wParam), shift, x, y);
            break;
        case WM_LBUTTONDOWN:
            SetCapture(window_);  // the release comes here wherever it happens
            pressed_ = true;
            button_->OnMouseDown(kLeftButton, shift, x, y);
            break;
        case WM_RBUTTONDOWN:
            button_->OnMouseDown(kRightButton, shift, x, y);
            break;
        case WM_MBUTTONDOWN:
            button_->OnMouseDown(kMiddleButton, shift, x, y);
            break;
        case WM_LBUTTONUP: {
            const bool wasPressed = pressed_;
            pressed_ = false;
            if (GetCapture() == window_) ReleaseCapture();
            RECT client{};
            GetClientRect(window_, &client);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            button_->OnMouseUp(kLeftButton, shift, x, y);
            if (wasPressed && PtInRect(&client, at)) button_->OnClick();
            break;
        }
        case WM_RBUTTONUP:
            button_->OnMouseUp(kRightButton, shift, x, y);
            break;
        case WM_MBUTTONUP:
            button_->OnMouseUp(kMiddleButton, shift, x, y);
            break;
        default:
            break;
    }
}

void PictureButtonWindow::ApplySize() {
    SetWindowPos(window_, nullptr, 0, 0, DevicePixels(width_, scale_),
                 DevicePixels(height_, scale_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    surface_.Resize(width_, height_);
    button_->Resize();
}

void PictureButtonWindow::ClearSurface() {
    platform::gdi::COLORREF background = 0;
    if (!platform::OleTranslateColor(platform::kOleButtonFace, &background)) return;
    surface_.Clear(background);
    InvalidateRect(window_, nullptr, FALSE);
}

void PictureButtonWindow::DrawPicture(const platform::Picture& picture) {
    surface_.Draw(picture, 0, 0);
    InvalidateRect(window_, nullptr, FALSE);
}

void PictureButtonWindow::SetWidth(int width) {
    if (width == width_) return;
    width_ = width;
    ApplySize();
}

void PictureButtonWindow::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    ApplySize();
}

void PictureButtonWindow::SetUpdateTimerEnabled(bool enabled) {
    if (enabled) {
        SetTimer(window_, kUpdateTimerId, EffectiveTimerInterval(kUpdateIntervalMs), nullptr);
    } else {
        KillTimer(window_, kUpdateTimerId);
    }
}

}  // namespace controls
