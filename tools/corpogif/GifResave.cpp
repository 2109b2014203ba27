#include "tools/corpogif/GifResave.h"

#include <exception>

#include "gif/GifImage.h"
#include "gif/GifWriter.h"

namespace corpogif {

int ResaveGif(const std::string& in, const std::string& out, std::ostream& err) {
    gif::GifImage gif;
    if (!gif.LoadFromFile(in)) {
        err << "corpogif: " << in << ": not loaded (" << Describe(gif.LoadStatus()) << ")\n";
        return 1;
    }
    try {
        gif::SaveGifFile(gif.Model(), out);
    } catch (const std::exception& failure) {
        err << "corpogif: " << out << ": not saved: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace corpogif
