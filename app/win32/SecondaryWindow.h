#pragma once
// What Quick Help and About have in common: a captioned window without maximise and minimise
// boxes, owned by the main window (so never in the task bar), opened centred on its owner and
// shown modeless. It lives until the user closes it; closed, it is made afresh (texts rebuilt)
// the next time it is asked for. Escape closes it.

#include <windows.h>

#include "app/win32/WindowFonts.h"
#include "app/win32/WindowScale.h"

namespace win32 {

class SecondaryWindow {
  public:
    virtual ~SecondaryWindow();
    SecondaryWindow(const SecondaryWindow&) = delete;
    SecondaryWindow& operator=(const SecondaryWindow&) = delete;

    bool IsOpen() const { return IsWindow(window_) != FALSE; }
    HWND Handle() const { return window_; }
    // Shows the window and gives it the focus.
    void BringUp();
    // The dialog keys (Tab, Enter, Escape) of this window, for the message loop.
    bool TranslateDialogKey(MSG& message);

  protected:
    SecondaryWindow(HWND owner, const WindowScale& scale);
    // Makes the window with a client area of `width` x `height` twips.
    void Create(const wchar_t* className, const std::wstring& caption, int width, int height,
                COLORREF background);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A child control at a rectangle in twips, in the window's font.
    HWND MakeControl(const wchar_t* className, const std::wstring& text, DWORD style, int id,
                     const core::Twips::Rectangle& rectangle, HFONT font);

    HWND owner_;
    HWND window_ = nullptr;
    WindowScale scale_;
    WindowFonts fonts_;
    HBRUSH background_ = nullptr;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace win32
