#pragma once
// "Quick Help": a short text on how to use the calculator, white on navy, filling the window.

#include "app/win32/SecondaryWindow.h"

namespace win32 {

class QuickHelpWindow : public SecondaryWindow {
  public:
    QuickHelpWindow(HWND owner, const WindowScale& scale);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace win32
