#include "app/win32/ShellDocumentOpener.h"

#include <windows.h>
#include <shellapi.h>

#include "app/win32/Texts.h"

namespace win32 {

bool ShellDocumentOpener::Open(const std::string& target) {
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        nullptr, L"open", Texts::Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;  // larger than 32 is success
}

}  // namespace win32
