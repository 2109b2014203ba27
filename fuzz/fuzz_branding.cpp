// The branding record reader and the descrambler on arbitrary bytes: every field may be
// cut short, counts may run past the end, and any byte may be a key.

#include <cstdint>
#include <string>

#include "mDescramble.h"
#include "mSetup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const mSetup::BrandingRecord record = mSetup::ParseBrandingRecord(bytes);
    const mSetup::BrandingValues values = mSetup::DecodeBranding(record, "/opt/corpometer");

    // Reading never invents bytes: the texts together fit in the input.
    const size_t textBytes = record.NameText.size() + record.Title.size() + record.Link.size() +
                             record.BannerFile.size() + record.FontName.size();
    if (textBytes > size) __builtin_trap();
    // A descrambled text is four bytes shorter than the stored one, or empty.
    const std::string plain = mDescramble::Descramble(bytes);
    if (!plain.empty() && plain.size() + 4 != bytes.size()) __builtin_trap();
    // Writing the record back and reading it again gives the same record.
    const mSetup::BrandingRecord again =
        mSetup::ParseBrandingRecord(mSetup::SerializeBrandingRecord(record));
    if (again.NameText != record.NameText || again.FontName != record.FontName ||
        again.TitleFontSize != record.TitleFontSize)
        __builtin_trap();
    (void)values;
    return 0;
}
