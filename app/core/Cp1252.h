#pragma once
// Windows-1252, the single-byte code page the branding file's texts are stored in.

#include <optional>
#include <string>

namespace core::cp1252 {

// Turns single-byte Windows-1252 text into UTF-8. Every byte has a meaning: the five
// bytes the code page leaves undefined map to the C1 control of the same number,
// as the platform's own conversion does.
std::string ToUtf8(const std::string& bytes);

// Turns UTF-8 text into Windows-1252 bytes; nothing when a character has no code in
// the code page or the text is not valid UTF-8.
std::optional<std::string> FromUtf8(const std::string& utf8);

}  // namespace core::cp1252
