#include "app/win32/Screenshot.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "app/win32/MainWindow.h"
#include "app/win32/PngFile.h"
#include "app/win32/Texts.h"

namespace win32 {

bool SaveScreenshot(MainWindow& window, const std::wstring& file) {
    std::vector<std::uint8_t> pixels;
    int width = 0, height = 0;
    if (!window.Draw(pixels, width, height)) {
        std::fputs("corpometer: the window cannot be drawn\n", stderr);
        return false;
    }
    const std::string png = EncodePng(pixels.data(), width, height, width * 4);
    HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool saved = out != INVALID_HANDLE_VALUE &&
                       WriteFile(out, png.data(), static_cast<DWORD>(png.size()), &written,
                                 nullptr) &&
                       written == png.size();
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    if (!saved) {
        std::fprintf(stderr, "corpometer: cannot write the screenshot %s\n",
                     Texts::Narrow(file).c_str());
        if (out != INVALID_HANDLE_VALUE) DeleteFileW(file.c_str());
    }
    return saved;
}

}  // namespace win32
