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
#include "platform/UsageMessages.h"
#include "platform/UserLanguage.h"

namespace {

constexpr int kUsageError = 2;

// The decimal mark of the language shown: the user's own (the regional settings) when they
// are of that language, else the language's usual one.
std::wstring DecimalMark(const std::string& language) {
    wchar_t userLocale[LOCALE_NAME_MAX_LENGTH] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SNAME, userLocale, LOCALE_NAME_MAX_LENGTH);
    const std::string user = win32::Texts::Narrow(userLocale);
    const bool usersOwn = user.compare(0, language.size(), language) == 0 &&
                          (user.size() == language.size() || user[language.size()] == '-');
    const std::wstring locale = usersOwn ? std::wstring(userLocale)
                                         : win32::Texts::Widen(language);
    wchar_t mark[8] = {};
    if (GetLocaleInfoEx(locale.c_str(), LOCALE_SDECIMAL, mark, 8) == 0) return L".";
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
            // The usage errors the other programs give, in the same words and language.
            const std::string given = win32::Texts::Narrow(argument);
            const std::string problem =
                argument == L"--screenshot"
                    ? platform::LocalMessage(platform::kNeedsValue, {given})
                    : platform::LocalMessage(platform::kUnknownOption, {given});
            std::fprintf(stderr, "corpometer: %s\nusage: corpometer.exe [--screenshot FILE.png]\n",
                         problem.c_str());
            LocalFree(arguments);
            return kUsageError;
        }
    }
    LocalFree(arguments);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    win32::Texts::SetLanguage(platform::UserLanguage());
    const std::wstring decimalMark = DecimalMark(win32::Texts::Language());
    core::UserLanguage language;
    language.translate = [](const char*, const char* source) {
        return win32::Texts::Narrow(win32::Texts::Text(source));
    };
    language.decimalMark = win32::Texts::Narrow(decimalMark);

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
