// corpometer.exe: the calculator's window on Windows.
//   corpometer.exe                        the window
//   corpometer.exe --screenshot FILE.png  the window drawn into a PNG file, not shown

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "app/core/Calculator.h"
#include "app/win32/MainWindow.h"
#include "app/win32/Screenshot.h"
#include "app/win32/ShellDocumentOpener.h"
#include "app/win32/Texts.h"
#include "platform/UserLanguage.h"

namespace {

constexpr int kUsageError = 2;

// The user's decimal mark, from the regional settings.
std::wstring UserDecimalMark() {
    wchar_t mark[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, mark, 8) == 0) return L".";
    return mark;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring screenshot;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        const std::wstring argument = arguments[i];
        if (argument == L"--screenshot" && i + 1 < count) {
            screenshot = arguments[++i];
        } else {
            std::fprintf(stderr, "corpometer: unknown option %s\nusage: corpometer.exe "
                                 "[--screenshot FILE.png]\n",
                         win32::Texts::Narrow(argument).c_str());
            LocalFree(arguments);
            return kUsageError;
        }
    }
    LocalFree(arguments);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    win32::Texts::SetLanguage(platform::UserLanguage());
    win32::Texts::SetDecimalMark(UserDecimalMark());
    core::UserLanguage language;
    language.translate = [](const char*, const char* source) {
        return win32::Texts::Narrow(win32::Texts::Text(source));
    };
    language.decimalMark = win32::Texts::Narrow(UserDecimalMark());

    win32::ShellDocumentOpener opener;
    core::SetDocumentOpener(&opener);
    core::Calculator calculator(language);
    win32::MainWindow window(calculator);
    if (!window.Create()) {
        std::fputs("corpometer: the system refused to make the window\n", stderr);
        return 1;
    }
    if (!screenshot.empty()) return win32::SaveScreenshot(window, screenshot) ? 0 : 1;

    ShowWindow(window.Handle(), showCommand);
    UpdateWindow(window.Handle());
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.TranslateDialogKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    core::SetDocumentOpener(nullptr);
    return static_cast<int>(message.wParam);
}
