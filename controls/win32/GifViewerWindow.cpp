#include "controls/win32/GifViewerWindow.h"

#include <cmath>
#include <stdexcept>

#include "controls/TimerInterval.h"
#include "controls/TranslatedColour.h"
#include "controls/win32/SurfaceBlit.h"
#include "platform/SystemColors.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"CorpometerGifViewer";
constexpr UINT_PTR kDelayTimerId = 1;
constexpr std::int16_t kFixedSingle = 1;  // border style with a one-pixel frame
constexpr int kFocusMarkInset = 2;        // pixels inside the viewer's edge

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window at WM_NCCREATE
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_HAND);  // it is a link
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

std::wstring Widened(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

}  // namespace

GifViewerWindow::GifViewerWindow(HWND parent, int id, const RECT& bounds, double scale)
    : scale_(scale), backColor_(platform::kOleButtonFace) {
    RegisterClassOnce();
    window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, bounds.left,
                              bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
    MakeSurface();
    viewer_ = std::make_unique<GifViewer>(static_cast<GifViewerHost&>(*this));
}

GifViewerWindow::~GifViewerWindow() {
    viewer_.reset();
    if (IsWindow(window_)) {
        KillTimer(window_, kDelayTimerId);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void GifViewerWindow::SetTabStop(bool stop) {
    LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(window_, GWL_STYLE, style);
}

void GifViewerWindow::SetName(const std::wstring& name) {
    SetWindowTextW(window_, name.c_str());
}

void GifViewerWindow::Place(const RECT& bounds, double scale) {
    scale_ = scale;
    SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    MakeSurface();
    viewer_->Resize();
}

LRESULT CALLBACK GifViewerWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* viewer = reinterpret_cast<GifViewerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (viewer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return viewer->HandleMessage(message, wParam, lParam);
}

LRESULT GifViewerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_PRINTCLIENT:  // a picture of the window, as for a screenshot
            PaintTo(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the surface covers the client area
        case WM_TIMER:
            if (wParam == kDelayTimerId) viewer_->DelayTimerTick();
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(window_);
            pressed_ = true;
            return 0;
        case WM_LBUTTONUP: {
            const bool wasPressed = pressed_;
            pressed_ = false;
            if (GetCapture() == window_) ReleaseCapture();
            RECT client{};
            GetClientRect(window_, &client);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (wasPressed && PtInRect(&client, at) && click_) click_();
            return 0;
        }
        case WM_GETDLGCODE: {
            // Enter reaches the viewer (a link opens with it), not the window's default command.
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
                return DLGC_WANTMESSAGE;
            return DLGC_WANTCHARS;
        }
        case WM_CHAR:
            if (wParam <= 0xFF && keyPress_) keyPress_(static_cast<std::int16_t>(wParam));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window_, nullptr, FALSE);  // the focus mark
            return 0;
        case WM_SIZE:
            MakeSurface();
            viewer_->Resize();
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void GifViewerWindow::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    PaintTo(dc);
    EndPaint(window_, &paint);
}

void GifViewerWindow::PaintTo(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    const int border = static_cast<int>(std::lround(BorderWidth() * scale_));
    if (border > 0) FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT contents = client;
    InflateRect(&contents, -border, -border);
    if (!BlitSurface(dc, surface_, contents)) {
        const COLORREF colour = TranslatedColour(backColor_);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &contents, brush);
        DeleteObject(brush);
    }
    if (GetFocus() == window_) {
        RECT mark = client;
        const int inset = static_cast<int>(std::lround(kFocusMarkInset * scale_));
        InflateRect(&mark, -inset, -inset);
        DrawFocusRect(dc, &mark);
    }
}

int GifViewerWindow::BorderWidth() const {
    return borderStyle_ == kFixedSingle ? 1 : 0;
}

std::int32_t GifViewerWindow::ClientWidth() const {
    RECT client{};
    GetClientRect(window_, &client);
    return static_cast<std::int32_t>(std::lround(client.right / scale_)) - 2 * BorderWidth();
}

std::int32_t GifViewerWindow::ClientHeight() const {
    RECT client{};
    GetClientRect(window_, &client);
    return static_cast<std::int32_t>(std::lround(client.bottom / scale_)) - 2 * BorderWidth();
}

void GifViewerWindow::MakeSurface() {
    surface_.Resize(ClientWidth(), ClientHeight());
    surface_.Clear(TranslatedColour(backColor_));
}

platform::gdi::HDC GifViewerWindow::hDC() {
    if (surface_.Width() != ClientWidth() || surface_.Height() != ClientHeight()) MakeSurface();
    return surface_.hDC();
}

void GifViewerWindow::SetTimerInterval(std::int32_t milliseconds) {
    timerInterval_ = milliseconds;
    // A new interval restarts a running timer, as the system's own SetTimer does.
    if (timerEnabled_)
        SetTimer(window_, kDelayTimerId, EffectiveTimerInterval(timerInterval_), nullptr);
}

void GifViewerWindow::SetTimerEnabled(bool enabled) {
    if (enabled == timerEnabled_) return;
    timerEnabled_ = enabled;
    if (enabled) {
        SetTimer(window_, kDelayTimerId, EffectiveTimerInterval(timerInterval_), nullptr);
    } else {
        KillTimer(window_, kDelayTimerId);
    }
}

void GifViewerWindow::SetBackColor(platform::OLE_COLOR colour) {
    backColor_ = colour;
    surface_.Clear(TranslatedColour(backColor_));
    viewer_->Paint();
    InvalidateRect(window_, nullptr, FALSE);
}

void GifViewerWindow::SetBorderStyle(std::int16_t style) {
    borderStyle_ = style;
    MakeSurface();
    viewer_->Resize();
    InvalidateRect(window_, nullptr, FALSE);
}

std::vector<std::uint8_t> GifViewerWindow::ReadResource(const std::string& resourceId,
                                                        const std::string& resourceType) {
    HMODULE program = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(program, Widened(resourceId).c_str(),
                                Widened(resourceType).c_str());
    HGLOBAL loaded = found ? LoadResource(program, found) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) {
        throw std::runtime_error("no resource \"" + resourceId + "\" of type \"" + resourceType +
                                 "\"");
    }
    return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(program, found));
}

}  // namespace controls
