#include "app/core/Branding.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/core/Cp1252.h"
#include "app/core/Descrambler.h"
#include "app/core/Paths.h"
#include "platform/FileSearch.h"
#include "platform/RegularFile.h"
#include "platform/SystemFolders.h"
#include "platform/WholeFile.h"

namespace core {

BrandingValues BrandingSettings;

namespace {

// A bounds-checked cursor over the file's bytes: a field the bytes do not reach comes
// back empty or 0, and every later field is out of reach too.
class RecordReader {
  public:
    explicit RecordReader(const std::string& bytes) : bytes_(bytes) {}

    std::int16_t Number() {
        if (bytes_.size() - pos_ < 2) {
            pos_ = bytes_.size();
            return 0;
        }
        const auto lo = static_cast<unsigned char>(bytes_[pos_]);
        const auto hi = static_cast<unsigned char>(bytes_[pos_ + 1]);
        pos_ += 2;
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
    }

    std::string Text() {
        const auto count = static_cast<std::uint16_t>(Number());
        if (bytes_.size() - pos_ < count) {  // a count beyond the file: the text is cut short
            pos_ = bytes_.size();
            return {};
        }
        std::string text = bytes_.substr(pos_, count);
        pos_ += count;
        return text;
    }

  private:
    const std::string& bytes_;
    std::size_t pos_ = 0;
};

void AppendNumber(std::string& out, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    out += static_cast<char>(bits & 0xFF);
    out += static_cast<char>(bits >> 8);
}

void AppendText(std::string& out, const std::string& text) {
    AppendNumber(out, static_cast<std::int16_t>(static_cast<std::uint16_t>(text.size())));
    out += text;
}

// One line on standard error for a file that is there but cannot be used: the window goes
// on as if it were not there, and whoever put it there can find out why.
void ReportUnusable(const std::string& path, const std::string& why) {
    std::fprintf(stderr, "corpometer: not using \"%s\": %s\n", path.c_str(), why.c_str());
}

// A banner that is not to be used is dropped: the name line shows as with no banner.
void DropBanner(BrandingValues& values) {
    values.ShowPictureBanner = 0;
    values.ShowAnimatedBanner = 0;
    values.BannerPath.clear();
}

// A banner that must not or cannot be shown is dropped, with one line on standard error.
void CheckBanner(BrandingValues& values, const BrandingRecord& record) {
    if (values.ShowPictureBanner == 0 && values.ShowAnimatedBanner == 0) return;
    const std::string name = core::cp1252::ToUtf8(core::Descramble(record.BannerFile));
    std::string why = BannerRefusal(name, values.BannerPath);
    if (why.empty()) why = BannerAbsence(name, values.BannerPath);
    if (!why.empty()) {
        ReportUnusable(values.BannerPath, why);
        DropBanner(values);
    }
}

// Whether a stored scrambled text lost its content: one too short for its key, or one long
// enough for a body that still decodes to nothing. An empty stored text reads as the empty
// text it holds; one of 3 or 4 characters is a key with an empty body.
bool Undecodable(const std::string& stored) {
    return (!stored.empty() && stored.size() < 3) ||
           (stored.size() >= 5 && core::Descramble(stored).empty());
}

// "A", "A and B", "A, B and C".
std::string Listed(const std::vector<std::string>& names) {
    std::string out;
    for (size_t i = 0; i < names.size(); ++i)
        out += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return out;
}

void ApplyDefaults() {
    const BrandingRecord defaults = DefaultBrandingRecord();
    BrandingSettings = BrandingValues{};
    BrandingSettings.NameText = core::cp1252::ToUtf8(defaults.NameText);
    BrandingSettings.Title = core::cp1252::ToUtf8(defaults.Title);
    BrandingSettings.Link = core::cp1252::ToUtf8(defaults.Link);
}

}  // namespace

BrandingRecord DefaultBrandingRecord() {
    BrandingRecord record;
    record.NameText = kDefaultNameText;
    record.Title = kDefaultTitle;
    record.NameFontSize = kDefaultNameFontSize;
    record.TitleFontSize = kDefaultTitleFontSize;
    record.FontName = kDefaultFontName;
    return record;
}

BrandingRecord ParseBrandingRecord(const std::string& bytes) {
    RecordReader in(bytes);
    BrandingRecord record;
    record.NameText = in.Text();
    record.Title = in.Text();
    record.Link = in.Text();
    record.ShowPictureBanner = in.Number();
    record.ShowAnimatedBanner = in.Number();
    record.BannerFile = in.Text();
    record.NameFontSize = in.Number();
    record.TitleFontSize = in.Number();
    record.FontName = in.Text();
    return record;
}

std::string BrandingDamage(const std::string& bytes) {
    enum class Kind { ScrambledText, Number, PlainText };
    static constexpr struct {
        const char* name;
        Kind kind;
    } kFields[] = {{"NameText", Kind::ScrambledText},    {"Title", Kind::ScrambledText},
                   {"Link", Kind::ScrambledText},        {"ShowPictureBanner", Kind::Number},
                   {"ShowAnimatedBanner", Kind::Number}, {"BannerFile", Kind::ScrambledText},
                   {"NameFontSize", Kind::Number},       {"TitleFontSize", Kind::Number},
                   {"FontName", Kind::PlainText}};
    std::vector<std::string> undecodable;
    std::string cutInside;
    size_t pos = 0;
    for (const auto& field : kFields) {
        if (pos == bytes.size()) break;  // the file ends between fields
        const size_t left = bytes.size() - pos;
        const size_t count =
            left < 2 ? 0
                     : static_cast<unsigned char>(bytes[pos]) |
                           static_cast<size_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8;
        const size_t length = field.kind == Kind::Number ? 2 : 2 + count;
        if (left < 2 || left < length) {
            cutInside = field.name;
            break;
        }
        if (field.kind == Kind::ScrambledText && Undecodable(bytes.substr(pos + 2, count)))
            undecodable.push_back(field.name);
        pos += length;
    }
    std::string damage;
    if (undecodable.size() == 1)
        damage = "the field " + undecodable[0] + " cannot be descrambled and shows blank";
    else if (!undecodable.empty())
        damage = "the fields " + Listed(undecodable) + " cannot be descrambled and show blank";
    if (!cutInside.empty()) {
        damage += (damage.empty() ? "" : "; ") + std::string("the file ends inside the field ") +
                  cutInside + ", which shows blank with every field after it";
    }
    return damage;
}

std::string SerializeBrandingRecord(const BrandingRecord& record) {
    std::string out;
    AppendText(out, record.NameText);
    AppendText(out, record.Title);
    AppendText(out, record.Link);
    AppendNumber(out, record.ShowPictureBanner);
    AppendNumber(out, record.ShowAnimatedBanner);
    AppendText(out, record.BannerFile);
    AppendNumber(out, record.NameFontSize);
    AppendNumber(out, record.TitleFontSize);
    AppendText(out, record.FontName);
    return out;
}

BrandingValues DecodeBranding(const BrandingRecord& record,
                              const std::string& applicationDirectory) {
    using core::Descramble;
    BrandingValues values;
    values.NameText = core::cp1252::ToUtf8(Descramble(record.NameText));
    values.Title = core::cp1252::ToUtf8(Descramble(record.Title));
    values.Link = core::cp1252::ToUtf8(Descramble(record.Link));
    values.BannerPath =
        BannerPathIn(applicationDirectory, core::cp1252::ToUtf8(Descramble(record.BannerFile)));
    values.ShowPictureBanner = record.ShowPictureBanner;
    values.ShowAnimatedBanner = record.ShowAnimatedBanner;
    return values;
}

std::string BannerPathIn(std::string folder, const std::string& bannerName) {
    const std::string name = core::NativeSeparators(bannerName);
    const size_t start = std::min(name.find_first_not_of(platform::kPathSeparator), name.size());
    return core::AddBackslash(folder) + name.substr(start);
}

std::string BannerRefusal(const std::string& bannerName, const std::string& bannerPath) {
    if (bannerName.empty()) return {};  // the bare folder, which loads as no picture
    if (!core::StaysInsideFolder(bannerName))
        return "the banner must lie in the folder of its 3.dat";
    // A folder is no picture either, but loading one fails at once, as the bare folder does.
    std::error_code error;
    const auto status = std::filesystem::status(std::filesystem::u8path(bannerPath), error);
    if (std::filesystem::exists(status) && !std::filesystem::is_directory(status) &&
        !platform::IsRegularFile(bannerPath))
        return "is not a regular file";
    if (std::filesystem::is_regular_file(status) &&
        std::filesystem::file_size(std::filesystem::u8path(bannerPath), error) >
            kMaxBannerFileBytes &&
        !error)
        return "is larger than " + std::to_string(kMaxBannerFileBytes) +
               " bytes, more than a banner may be";
    return {};
}

bool BannerNameLooksAbsolute(const std::string& bannerName) {
    return bannerName.find_first_of("/\\") == 0 || (bannerName.size() > 1 && bannerName[1] == ':');
}

std::string BannerAbsence(const std::string& bannerName, const std::string& bannerPath) {
    if (bannerName.empty()) return "a banner is to be shown, but the branding names no file";
    std::error_code error;
    const auto status = std::filesystem::status(std::filesystem::u8path(bannerPath), error);
    if (std::filesystem::is_directory(status)) return "is a folder, not a picture";
    if (std::filesystem::exists(status)) return {};
    return BannerNameLooksAbsolute(bannerName)
               ? "there is no such file (the banner \"" + bannerName +
                     "\" is looked for inside the folder of its 3.dat)"
               : "there is no such file";
}

std::vector<std::string> BrandingFolders(const std::string& applicationDirectory) {
    std::vector<std::string> folders{applicationDirectory};
    for (const std::string& folder : platform::ConfigurationFolders())
        folders.push_back(folder + platform::kPathSeparator + "corpometer");
    return folders;
}

std::string LoadBrandingFrom(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        std::string path = folder;
        core::AddBackslash(path) += kBrandingFileName;
        if (!platform::FileFound(path)) continue;

        std::vector<std::uint8_t> bytes;
        std::string why;
        if (!platform::ReadWholeFile(path, bytes, kMaxBrandingFileBytes, &why)) {
            ReportUnusable(path, why);
            continue;
        }
        if (bytes.empty()) {
            // An empty file is removed, as if it had never been there; an empty file reached
            // through a link is only passed over: the link and what it leads to are not ours.
            std::error_code ignored;
            const auto fsPath = std::filesystem::u8path(path);
            if (std::filesystem::is_regular_file(std::filesystem::symlink_status(fsPath, ignored)))
                std::filesystem::remove(fsPath, ignored);
            continue;
        }
        const std::string content(bytes.begin(), bytes.end());
        const BrandingRecord record = ParseBrandingRecord(content);
        if (const std::string damage = BrandingDamage(content); !damage.empty())
            std::fprintf(stderr, "corpometer: \"%s\" is damaged: %s\n", path.c_str(),
                         damage.c_str());
        BrandingSettings = DecodeBranding(record, folder);
        CheckBanner(BrandingSettings, record);
        return folder;
    }
    ApplyDefaults();
    return {};
}

void LoadBranding(const std::string& applicationDirectory) {
    LoadBrandingFrom({applicationDirectory});
}

void LoadBranding() {
    LoadBrandingFrom(BrandingFolders(core::ApplicationDirectory()));
}

}  // namespace core
