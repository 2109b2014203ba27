#pragma once
// The branding of the window: the "3.dat" record beside the executable and the values
// the windows read from it.

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// The record as stored: nine fields back to back, texts as a 16-bit little-endian byte
// count followed by single-byte Windows-1252 text, numbers as signed 16-bit little-endian.
// Texts 1, 2, 3 and 6 are stored scrambled; FontName is plain.
struct BrandingRecord {
    std::string NameText;
    std::string Title;
    std::string Link;
    std::int16_t ShowPictureBanner = 0;
    std::int16_t ShowAnimatedBanner = 0;
    std::string BannerFile;
    std::int16_t NameFontSize = 0;   // kept, never applied: the name line is always 17 points
    std::int16_t TitleFontSize = 0;  // kept, never applied: the title line is always 8 points
    std::string FontName;            // kept, never applied
};

// What the windows read. Texts are UTF-8 (converted from Windows-1252 after descrambling).
struct BrandingValues {
    std::string NameText;
    std::string Title;
    std::string Link;
    std::string BannerPath;  // application directory, separator, banner file; empty by default
    std::int16_t ShowPictureBanner = 0;
    std::int16_t ShowAnimatedBanner = 0;
};

inline constexpr char kBrandingFileName[] = "3.dat";
// A branding record is a few hundred bytes; a longer file is not a branding file, and is not
// read whole only to be refused.
inline constexpr std::uint64_t kMaxBrandingFileBytes = 64 * 1024;
// What a banner may cost, whatever its file holds, so that the window shows at once and
// small: the file is read no further than kMaxBannerFileBytes (a larger one is not used);
// the animated banner's frames take at most kMaxBannerPixelBytes, and so do the viewer's
// three buffers of its screen, and the still banner's picture; at most kMaxBannerFrames
// frames play. A banner is 375 x 60 pixels: this is room for 500 such frames.
inline constexpr std::uint64_t kMaxBannerFileBytes = 4 << 20;
inline constexpr std::uint64_t kMaxBannerPixelBytes = 12 << 20;
inline constexpr std::int32_t kMaxBannerFrames = 1000;
// The default name line; labels show "&&" as one ampersand.
inline constexpr char kDefaultNameText[] = "(Your company name && link or small banner here)";
inline constexpr char kDefaultTitle[] = "Corpometer";
inline constexpr std::int16_t kDefaultNameFontSize = 17;
inline constexpr std::int16_t kDefaultTitleFontSize = 8;
inline constexpr char kDefaultFontName[] = "Tahoma";

// Process-wide branding, filled once by LoadBranding during the main window's load and
// read-only afterwards.
extern BrandingValues BrandingSettings;

// The record with the built-in defaults (texts plain, as the defaults are used unscrambled).
BrandingRecord DefaultBrandingRecord();

// Reads a record from the bytes of a file. Fields the bytes do not reach stay empty or 0;
// nothing is read past the end. Bytes after the ninth field are ignored.
BrandingRecord ParseBrandingRecord(const std::string& bytes);

// What a reader of the file should hear when its bytes lose something: empty when every
// field the file holds reads as stored (a file may end between fields: the fields it does not
// reach keep their empty or 0 values), else which fields show blank and why ("the field Title
// cannot be descrambled and shows blank", "the file ends inside the field Link, which shows
// blank with every field after it").
std::string BrandingDamage(const std::string& bytes);

// The bytes of a record (the branding writer's job; also used by tests).
std::string SerializeBrandingRecord(const BrandingRecord& record);

// Descrambles a stored record into the values the windows read.
BrandingValues DecodeBranding(const BrandingRecord& record,
                              const std::string& applicationDirectory);

// Where the banner `bannerName` (as the record names it, in UTF-8) of a branding file in
// `folder` is: the folder, a separator, the name with the system's separators. A name that
// begins with a separator is inside the folder too; the separator is not doubled.
std::string BannerPathIn(std::string folder, const std::string& bannerName);

// Why the banner `bannerName` at `bannerPath` must not be shown, or empty when it may: a name
// that climbs out of the folder of its branding file could show any file of the machine, a
// pipe would block the picture loader, a device never end, and a file larger than
// kMaxBannerFileBytes is more than a banner may cost. A missing file, a folder or an empty
// name may be shown (as an empty banner).
std::string BannerRefusal(const std::string& bannerName, const std::string& bannerPath);

// Whether a banner name looks like an absolute path ("/home/me/banner.gif",
// "C:\art\banner.gif"), which it is not: it is taken inside the folder of its branding file.
bool BannerNameLooksAbsolute(const std::string& bannerName);

// Why the banner `bannerName` at `bannerPath`, which may be shown, shows nothing, or empty
// when there is a file to try: no name, no such file (a name that looks absolute is said to
// be taken inside the folder), a folder.
std::string BannerAbsence(const std::string& bannerName, const std::string& bannerPath);

// The folders where the branding file is looked for, in order: the executable's folder;
// then "corpometer" in each of platform::ConfigurationFolders() (none on Windows): the
// user's configuration folder ($XDG_CONFIG_HOME, else $HOME/.config) and each folder of
// $XDG_CONFIG_DIRS (else /etc/xdg), so that one file in /etc/xdg/corpometer brands every
// user of a machine. Relative entries of the variables are ignored.
std::vector<std::string> BrandingFolders(const std::string& applicationDirectory);

// Reads "3.dat" from `applicationDirectory` into BrandingSettings.
// A missing file leaves the defaults; an empty regular file is deleted first. A file that
// cannot be used (not a regular file, unreadable, longer than any branding record) is
// treated as missing, with one line on standard error naming it; so is a banner that is to
// be shown but cannot be (missing, a folder, a pipe or a device, or a name that leads out of
// the folder of its "3.dat"; the banner flags are then cleared). A file whose fields lose
// something (BrandingDamage) is used as read, its lost fields blank, with one line naming
// the file and the fields. Nothing here waits on a pipe or reads a device.
void LoadBranding(const std::string& applicationDirectory);
// The same for the first folder of `folders` that holds a non-empty, readable "3.dat"; a
// banner file named in it is relative to that folder. Returns that folder, or "" when none
// had one (the defaults stand).
std::string LoadBrandingFrom(const std::vector<std::string>& folders);
// The same for BrandingFolders of the running executable's directory.
void LoadBranding();

}  // namespace core
