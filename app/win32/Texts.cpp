#include "app/win32/Texts.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "app/win32/TranslationTable.h"

namespace win32 {

namespace Texts {
namespace {

std::string& ChosenLanguage() {
    static std::string language = "en";
    return language;
}

}  // namespace

void SetLanguage(const std::string& code) {
    for (std::size_t i = 0; i < kTranslatedTextCount; ++i) {
        if (code == kTranslatedTexts[i].language) {
            ChosenLanguage() = code;
            return;
        }
    }
    ChosenLanguage() = "en";
}

const std::string& Language() {
    return ChosenLanguage();
}

std::wstring Text(const char* english) {
    const std::string& language = ChosenLanguage();
    for (std::size_t i = 0; i < kTranslatedTextCount; ++i) {
        const TranslatedText& text = kTranslatedTexts[i];
        if (language == text.language && std::strcmp(english, text.source) == 0)
            return Widen(text.translation);
    }
    return Widen(english);
}

std::wstring Arg(const std::wstring& pattern, std::initializer_list<std::wstring> arguments) {
    const std::vector<std::wstring> values(arguments);
    std::wstring result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] >= L'1' &&
            pattern[i + 1] <= L'9') {
            const std::size_t index = static_cast<std::size_t>(pattern[i + 1] - L'1');
            if (index < values.size()) {
                result += values[index];
                ++i;
                continue;
            }
        }
        result += pattern[i];
    }
    return result;
}

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Narrow(const std::wstring& utf16) {
    if (utf16.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(),
                                           static_cast<int>(utf16.size()), nullptr, 0, nullptr,
                                           nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}

}  // namespace Texts

}  // namespace win32
