#include "app/win32/SecondaryWindow.h"

namespace win32 {

SecondaryWindow::SecondaryWindow(HWND owner, const WindowScale& scale)
    : owner_(owner), scale_(scale) {}

SecondaryWindow::~SecondaryWindow() {
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (background_) DeleteObject(background_);
}

void SecondaryWindow::Create(const wchar_t* className, const std::wstring& caption, int width,
                             int height, COLORREF background) {
    background_ = CreateSolidBrush(background);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass)) {
        windowClass = WNDCLASSEXW{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame{0, 0, scale_.FromTwips(width), scale_.FromTwips(height)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, WS_EX_DLGMODALFRAME, scale_.Dpi());
    RECT owner{};
    GetWindowRect(owner_, &owner);
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, className, caption.c_str(), style,
                              (owner.left + owner.right - frameWidth) / 2,
                              (owner.top + owner.bottom - frameHeight) / 2, frameWidth,
                              frameHeight, owner_, nullptr, GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK SecondaryWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<SecondaryWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<SecondaryWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT SecondaryWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(window_, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
            return 1;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {  // Escape
                DestroyWindow(window_);
                return 0;
            }
            break;
        case WM_CLOSE:
            DestroyWindow(window_);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

HWND SecondaryWindow::MakeControl(const wchar_t* className, const std::wstring& text, DWORD style,
                                  int id, const core::Twips::Rectangle& rectangle, HFONT font) {
    const RECT place = scale_.Rectangle(rectangle);
    HWND control = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                   place.left, place.top, place.right - place.left,
                                   place.bottom - place.top, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void SecondaryWindow::BringUp() {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
}

bool SecondaryWindow::TranslateDialogKey(MSG& message) {
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    return IsDialogMessageW(window_, &message) != FALSE;
}

}  // namespace win32
