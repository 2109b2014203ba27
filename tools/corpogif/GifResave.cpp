#include "GifResave.h"

#include "cGIF.h"

int ResaveGif(const std::string& in, const std::string& out, std::ostream& err) {
    cGIF gif;
    if (!gif.LoadFromFile(in)) {
        err << "corpogif: " << in << ": not loaded (missing, unreadable or not a GIF)\n";
        return 1;
    }
    if (!gif.Save(out)) {
        err << "corpogif: " << out << ": not saved (the file cannot be written, or a frame"
            << " has no colour table, or a field does not fit the format)\n";
        return 1;
    }
    return 0;
}
