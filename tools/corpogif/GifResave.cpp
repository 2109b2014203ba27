#include "tools/corpogif/GifResave.h"

#include <exception>

#include "gif/GifImage.h"
#include "gif/GifWriter.h"
#include "tools/corpogif/DamageReport.h"

namespace corpogif {

int ResaveGif(const std::string& in, const std::string& out, std::ostream& err, bool salvage) {
    gif::GifImage gif;
    if (!gif.LoadFromFile(in)) {
        err << "corpogif: " << in << ": not loaded (" << Describe(gif.LoadStatus()) << ")\n";
        return 1;
    }
    const std::string& damage = gif.LoadDamage();
    if (!damage.empty() && !salvage) {
        ReportDamage(in, damage, err, out + " not written (--salvage writes what was read)");
        return 1;
    }
    try {
        gif::SaveGifFile(gif.Model(), out);
    } catch (const std::exception& failure) {
        err << "corpogif: " << out << ": not saved: " << failure.what() << "\n";
        return 1;
    }
    return ReportDamage(in, damage, err, out + " holds only what was read") ? 1 : 0;
}

}  // namespace corpogif
