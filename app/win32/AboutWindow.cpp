#include "app/win32/AboutWindow.h"

#include <shellapi.h>

#include "app/core/Branding.h"
#include "app/core/SystemInfo.h"
#include "app/win32/Texts.h"
#include "platform/Registry.h"

namespace win32 {
namespace {

constexpr int kClientWidth = 5730;  // twips
constexpr int kClientHeight = 3555;
constexpr int kSystemInfoId = 2001;
// The etched separator: a grey line with a white one just below it (twips).
constexpr int kShadowLeft = 90, kShadowTop = 2445, kLightLeft = 105, kLightTop = 2460;
constexpr int kLinesRight = 5654;

void DrawLine(HDC dc, COLORREF colour, int left, int top, int right) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, left, top, nullptr);
    LineTo(dc, right + 1, top);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

}  // namespace

AboutWindow::AboutWindow(HWND owner, const WindowScale& scale) : SecondaryWindow(owner, scale) {
    const std::wstring title = Texts::Widen(core::BrandingSettings.Title);
    const std::wstring link = Texts::Widen(core::BrandingSettings.Link);
    // The branding's title and link go into the texts in one pass, so that a "%1" of theirs
    // stays as typed.
    Create(L"CorpometerAbout", Texts::Arg(Texts::Text("About %1"), {title}), kClientWidth,
           kClientHeight, GetSysColor(COLOR_BTNFACE));
    HFONT font = fonts_.Font(L"Tahoma", 8.25, false, scale_);

    HWND icon = MakeControl(L"STATIC", L"", SS_ICON | SS_REALSIZECONTROL, 0, {240, 240, 480, 480},
                            font);
    HICON programIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    SendMessageW(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(programIcon ? programIcon : LoadIconW(nullptr, IDI_APPLICATION)),
                 0);
    MakeControl(L"STATIC", title, SS_LEFT | SS_NOPREFIX, 0, {1050, 240, 3885, 480}, font);
    MakeControl(L"STATIC",
                Texts::Arg(Texts::Text("Version %1.%2.%3"),
                           {std::to_wstring(CORPOMETER_VERSION_MAJOR),
                            std::to_wstring(CORPOMETER_VERSION_MINOR),
                            std::to_wstring(CORPOMETER_VERSION_PATCH)}),
                SS_LEFT | SS_NOPREFIX, 0, {1050, 780, 3885, 225}, font);
    MakeControl(L"STATIC",
                Texts::Arg(Texts::Text("%1 is a handy tool which you can use to quickly determine "
                                       "your Body Mass Index, thereby helping you to stay "
                                       "healthy. For more information on this and other "
                                       "products, Please contact us at: %2"),
                           {title, link}),
                SS_LEFT | SS_NOPREFIX, 0, {1050, 1125, 3885, 1170}, font);
    MakeControl(L"STATIC", L"", SS_LEFT, 0, {255, 2625, 3870, 825}, font);  // the disclaimer
    HWND ok = MakeControl(L"BUTTON", Texts::Text("OK"), BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                          IDOK, {4245, 2625, 1260, 345}, font);
    MakeControl(L"BUTTON", Texts::Text("&System Info..."), BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                kSystemInfoId, {4260, 3075, 1245, 345}, font);
    SetFocus(ok);
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(window_);
                return 0;
            }
            if (LOWORD(wParam) == kSystemInfoId) {
                StartSystemInfo();
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(background_);
        }
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window_, &paint);
            DrawLine(dc, RGB(128, 128, 128), scale_.FromTwips(kShadowLeft),
                     scale_.FromTwips(kShadowTop), scale_.FromTwips(kLinesRight));
            DrawLine(dc, RGB(255, 255, 255), scale_.FromTwips(kLightLeft),
                     scale_.FromTwips(kLightTop), scale_.FromTwips(kLinesRight));
            EndPaint(window_, &paint);
            return 0;
        }
        default:
            break;
    }
    return SecondaryWindow::HandleMessage(message, wParam, lParam);
}

void AboutWindow::StartSystemInfo() {
    const std::string file = core::LocateSystemInfo(platform::ReadRegistryValue, std::string());
    if (!file.empty()) {
        const auto started = reinterpret_cast<INT_PTR>(ShellExecuteW(
            window_, L"open", Texts::Widen(file).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (started > 32) return;
    }
    MessageBoxW(window_, Texts::Text("System Information Is Unavailable At This Time").c_str(),
                L"Corpometer", MB_OK | MB_APPLMODAL);
}

}  // namespace win32
