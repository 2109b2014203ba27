#pragma once
// corpogif resave: reads a GIF into the image model and writes it out again.

#include <ostream>
#include <string>

namespace corpogif {

// 0 when `in` was loaded complete and `out` written; 1 when either failed, with the reason on
// `err`. A failed save leaves whatever `out` held before untouched. A damaged `in` is written
// only when `salvage` is set (what was read of it, its lost pixels as index 0), and is said to
// be damaged either way, with status 1: a copy that looks whole must not hide a loss.
int ResaveGif(const std::string& in, const std::string& out, std::ostream& err,
              bool salvage = false);

}  // namespace corpogif
