#pragma once
// Scrambling branding texts for "3.dat": the inverse of core::Descramble.

#include <random>
#include <string>

namespace brand {

// Scrambles `plain` (Windows-1252 bytes) with three leading key bytes and one trailing
// key byte chosen at random, such that every stored code, plain + key, stays within 0 to
// 255. Keys are printable (33 to 126) wherever the plain bytes allow it; a key of 0 always
// fits, so every text can be scrambled.
std::string Scramble(const std::string& plain, std::mt19937& random);

}  // namespace brand
