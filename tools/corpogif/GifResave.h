#pragma once
// corpogif resave: reads a GIF into the image model and writes it out again.

#include <ostream>
#include <string>

namespace corpogif {

// 0 when `in` was loaded and `out` written; 1 when either failed, with the reason on `err`.
// A failed save leaves whatever `out` held before untouched.
int ResaveGif(const std::string& in, const std::string& out, std::ostream& err);

}  // namespace corpogif
