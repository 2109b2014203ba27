#include "GifResave.h"

#include <exception>

#include "GifWriter.h"
#include "cGIF.h"

int ResaveGif(const std::string& in, const std::string& out, std::ostream& err) {
    cGIF gif;
    if (!gif.LoadFromFile(in)) {
        err << "corpogif: " << in << ": not loaded (missing, unreadable or not a GIF)\n";
        return 1;
    }
    try {
        SaveGifFile(gif, out);
    } catch (const std::exception& failure) {
        err << "corpogif: " << out << ": not saved: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
