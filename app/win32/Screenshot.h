#pragma once
// `corpometer.exe --screenshot FILE.png`: the window as it would be shown, branding and
// banner included, drawn into a PNG file without showing it.

#include <string>

namespace win32 {

class MainWindow;

// Writes the picture of `window` to `file`; false (with a message on standard error) when it
// cannot be drawn or written.
bool SaveScreenshot(MainWindow& window, const std::wstring& file);

}  // namespace win32
