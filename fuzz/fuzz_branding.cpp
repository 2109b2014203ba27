// The branding record reader and the descrambler on arbitrary bytes: every field may be
// cut short, counts may run past the end, and any byte may be a key. The same bytes also
// go through a real "3.dat" file, the way the program reads it at start-up.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/core/Branding.h"
#include "app/core/Cp1252.h"
#include "app/core/Descrambler.h"
#include "app/core/Paths.h"

namespace {

// One private folder per process, in memory when the system offers it, since a file is
// written for every input. Removed when the process ends normally.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        path_ = base / ("corpo-fuzz-branding-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

const std::filesystem::path& ScratchPath() {
    static const ScratchFolder folder;
    return folder.Path();
}

bool SameValues(const core::BrandingValues& a, const core::BrandingValues& b) {
    return a.NameText == b.NameText && a.Title == b.Title && a.Link == b.Link &&
           a.BannerPath == b.BannerPath && a.ShowPictureBanner == b.ShowPictureBanner &&
           a.ShowAnimatedBanner == b.ShowAnimatedBanner;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const core::BrandingRecord record = core::ParseBrandingRecord(bytes);
    const core::BrandingValues values = core::DecodeBranding(record, "/opt/corpometer");

    // Reading never invents bytes: the texts together fit in the input.
    const size_t textBytes = record.NameText.size() + record.Title.size() + record.Link.size() +
                             record.BannerFile.size() + record.FontName.size();
    if (textBytes > size) __builtin_trap();
    // A descrambled text is four bytes shorter than the stored one, or empty.
    const std::string plain = core::Descramble(bytes);
    if (!plain.empty() && plain.size() + 4 != bytes.size()) __builtin_trap();
    // Writing the record back and reading it again gives the same record.
    const core::BrandingRecord again =
        core::ParseBrandingRecord(core::SerializeBrandingRecord(record));
    if (again.NameText != record.NameText || again.FontName != record.FontName ||
        again.TitleFontSize != record.TitleFontSize)
        __builtin_trap();

    // The file on disk gives what the bytes give; an empty one is deleted and the
    // defaults stand, as they do for one too long to be a record.
    const std::filesystem::path file = ScratchPath() / "3.dat";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    core::LoadBranding(ScratchPath().string());
    core::BrandingValues expected = core::DecodeBranding(record, ScratchPath().string());
    // A banner whose name leads out of the folder is dropped, and so is one that is not there
    // (the scratch folder holds nothing but 3.dat).
    const std::string banner = core::cp1252::ToUtf8(core::Descramble(record.BannerFile));
    if ((expected.ShowPictureBanner != 0 || expected.ShowAnimatedBanner != 0) &&
        (!core::StaysInsideFolder(banner) ||
         !core::BannerAbsence(banner, expected.BannerPath).empty())) {
        expected.ShowPictureBanner = expected.ShowAnimatedBanner = 0;
        expected.BannerPath.clear();
    }
    if (size == 0 || size > core::kMaxBrandingFileBytes) {
        if (std::filesystem::exists(file) == (size == 0)) __builtin_trap();
        if (core::BrandingSettings.Title != core::kDefaultTitle) __builtin_trap();
    } else if (!SameValues(core::BrandingSettings, expected)) {
        __builtin_trap();
    }
    (void)values;
    return 0;
}
