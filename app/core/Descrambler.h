#pragma once
// Turning a stored branding text back into plain text.

#include <string>

namespace core {

// The key travels in each stored text: its first three bytes and its last byte. Every
// byte between them was shifted up by the code of the key byte whose turn it was
// (k1, k2, k3, k4, k1, ...). Returns the plain bytes, or the empty text when the text
// is too short to hold the key or a byte would fall below 0.
std::string Descramble(const std::string& stored);

}  // namespace core
