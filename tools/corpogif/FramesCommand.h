#pragma once
// `corpogif frames FILE OUTDIR [--background [#]RRGGBB] [--replace]`: plays FILE once through
// the GIF viewer's own composition and writes what its display buffer holds after each frame
// as OUTDIR/frame-NNN.png. A damaged FILE gets what was read of it, and status 1. An OUTDIR
// that already holds frame files is refused, or with --replace emptied of them first.

#include <iosfwd>
#include <string>
#include <vector>

namespace corpogif {

// `args` are the words after "frames". Returns the process exit code; messages go to
// `out` and `err`. A usage error (exit code 2) is reported in one line, without the usage.
int RunFrames(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace corpogif
