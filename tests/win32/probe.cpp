// Reads Corpometer's windows the way a screen reader or a test tool does, through Win32 alone,
// while the program runs under the same Wine prefix:
//   probe.exe children   the main window's controls, one a line, tab-separated:
//                        id, class, shown (1/0), left,top,right,bottom (device pixels in the
//                        window's client area), text, state (an option's 1/0, a list's
//                        selected row)
//   probe.exe windows    the process's shown top-level windows: class, title, rectangle (on
//                        the screen), and the texts of their static controls
//   probe.exe focus      the class and text of the control that has the keyboard focus
// Exits 1 when the main window is not there (or not shown yet).

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length,
                        nullptr, nullptr);
    // One line a window: line breaks in a text are shown as "\n".
    std::string escaped;
    for (const char c : out) {
        if (c == '\r') continue;
        escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return escaped;
}

std::wstring Text(HWND window) {
    wchar_t text[2048] = {};
    SendMessageW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// The main window once it is shown: it is made hidden and shown only after its load
// (branding, banner, saved inputs), and until then it is not there for a user.
HWND MainWindow() {
    HWND window = FindWindowW(L"CorpometerMainWindow", L"Corpometer");
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

std::string State(HWND control) {
    const std::wstring kind = ClassOf(control);
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
        if (style == BS_AUTORADIOBUTTON || style == BS_RADIOBUTTON)
            return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
    }
    if (_wcsicmp(kind.c_str(), L"ListBox") == 0) {
        const LRESULT row = SendMessageW(control, LB_GETCURSEL, 0, 0);
        if (row == LB_ERR) return "";
        wchar_t text[256] = {};
        if (SendMessageW(control, LB_GETTEXTLEN, row, 0) < 255)
            SendMessageW(control, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
        return Utf8(text);
    }
    return "";
}

BOOL CALLBACK PrintChild(HWND child, LPARAM main) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(main), reinterpret_cast<POINT*>(&place), 2);
    std::printf("%d\t%s\t%d\t%ld,%ld,%ld,%ld\t%s\t%s\n", GetDlgCtrlID(child),
                Utf8(ClassOf(child)).c_str(), IsWindowVisible(child) ? 1 : 0, place.left,
                place.top, place.right, place.bottom, Utf8(Text(child)).c_str(),
                State(child).c_str());
    return TRUE;
}

BOOL CALLBACK PrintStatic(HWND child, LPARAM) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0 && !Text(child).empty())
        std::printf("\tstatic\t%s\n", Utf8(Text(child)).c_str());
    return TRUE;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM process) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != static_cast<DWORD>(process) || !IsWindowVisible(window)) return TRUE;
    RECT place{};
    GetWindowRect(window, &place);
    std::printf("%s\t%s\t%ld,%ld,%ld,%ld\n", Utf8(ClassOf(window)).c_str(),
                Utf8(Text(window)).c_str(), place.left, place.top, place.right, place.bottom);
    EnumChildWindows(window, PrintStatic, 0);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"children";
    HWND main = MainWindow();
    if (main == nullptr) {
        std::fputs("probe: no Corpometer window\n", stderr);
        return 1;
    }
    if (command == L"children") {
        EnumChildWindows(main, PrintChild, reinterpret_cast<LPARAM>(main));
    } else if (command == L"windows") {
        DWORD process = 0;
        GetWindowThreadProcessId(main, &process);
        EnumWindows(PrintWindow, static_cast<LPARAM>(process));
    } else if (command == L"focus") {
        // The focus of another program's thread: attach to its input for the question.
        const DWORD thread = GetWindowThreadProcessId(main, nullptr);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus)
            std::printf("%s\t%s\n", Utf8(ClassOf(info.hwndFocus)).c_str(),
                        Utf8(Text(info.hwndFocus)).c_str());
    } else {
        std::fputs("usage: probe.exe [children | windows | focus]\n", stderr);
        return 2;
    }
    return 0;
}
