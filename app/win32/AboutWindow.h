#pragma once
// "About": the title, the version, a description ending with the branding's link, and a
// button that starts the system's System Information tool. Enter and Escape press OK.

#include "app/win32/SecondaryWindow.h"

namespace win32 {

class AboutWindow : public SecondaryWindow {
  public:
    AboutWindow(HWND owner, const WindowScale& scale);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void StartSystemInfo();
};

}  // namespace win32
