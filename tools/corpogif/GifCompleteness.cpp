#include "tools/corpogif/GifCompleteness.h"

#include <memory>
#include <vector>

#include "gif/GifFormat.h"
#include "gif/LzwDecoder.h"

namespace {

// Frames larger than this are not decoded again to count their pixels: the reader gives
// them no bitmap either.
constexpr uint64_t kMostPixelsChecked = uint64_t{1} << 28;

class BlockWalk {
  public:
    BlockWalk(const uint8_t* stream, size_t size) : data_(stream), size_(size) {}

    std::string Run() {
        at_ = gif::kHeaderSize;
        if (!Skip(gif::kScreenDescriptorSize)) return Ends("the logical screen descriptor");
        const uint8_t flags = data_[at_ - 3];
        if ((flags & gif::kGlobalTablePresent) && !Skip(TableBytes(flags)))
            return Ends("the global colour table");
        while (at_ < size_) {
            const size_t blockStart = at_;
            const uint8_t block = data_[at_++];
            if (block == gif::kTrailer) return {};
            if (block == gif::kExtensionIntroducer) {
                if (!Skip(1) || !SkipSubBlocks()) return Ends("an extension block" + After());
            } else if (block == gif::kImageSeparator) {
                ++frames_;
                if (std::string damage = Image(); !damage.empty()) return damage;
            } else {
                return "a byte that begins no block (" + Hex(block) + ") at offset " +
                       std::to_string(blockStart) + After();
            }
        }
        return "the stream ends without the trailer" + After();
    }

  private:
    std::string Image() {
        const std::string frame = "frame " + std::to_string(frames_);
        if (!Skip(gif::kImageDescriptorSize)) return Ends(frame + "'s image descriptor");
        const uint8_t* descriptor = data_ + at_ - gif::kImageDescriptorSize;
        const uint32_t width = descriptor[4] | descriptor[5] << 8;
        const uint32_t height = descriptor[6] | descriptor[7] << 8;
        const uint8_t flags = descriptor[8];
        if ((flags & gif::kLocalTablePresent) && !Skip(TableBytes(flags)))
            return Ends(frame + "'s colour table");
        if (!Skip(1)) return Ends(frame + "'s image data");
        const uint8_t minimumCodeSize = data_[at_ - 1];
        std::vector<uint8_t> joined;
        if (!SkipSubBlocks(&joined)) return Ends(frame + "'s image data");

        const uint64_t pixels = uint64_t{width} * height;
        if (pixels == 0 || pixels > kMostPixelsChecked) return {};
        std::vector<uint8_t> scratch(pixels);
        const PixelView view{scratch.data(), static_cast<int32_t>(width),
                             static_cast<int32_t>(height)};
        if (!decoder_) decoder_ = std::make_unique<LzwDecoder>();
        const uint64_t decoded = decoder_->Decode(view, static_cast<int32_t>(width), false,
                                                  minimumCodeSize, joined.data(), joined.size());
        if (decoded < pixels) {
            return frame + "'s image data ends after " + std::to_string(decoded) + " of its " +
                   std::to_string(pixels) + " pixels";
        }
        return {};
    }

    static size_t TableBytes(uint8_t flags) {
        return gif::kColourTableEntrySize * (size_t{2} << (flags & gif::kTableSize));
    }

    bool Skip(size_t count) {
        if (size_ - at_ < count) return false;
        at_ += count;
        return true;
    }

    // From a sub-block's size byte past the terminator; the payloads go to `joined`.
    bool SkipSubBlocks(std::vector<uint8_t>* joined = nullptr) {
        for (;;) {
            if (at_ >= size_) return false;
            const size_t length = data_[at_++];
            if (length == 0) return true;
            if (size_ - at_ < length) return false;
            if (joined) joined->insert(joined->end(), data_ + at_, data_ + at_ + length);
            at_ += length;
        }
    }

    std::string After() const {
        return frames_ == 0 ? std::string() : ", after frame " + std::to_string(frames_);
    }
    static std::string Ends(const std::string& where) { return "the stream ends inside " + where; }
    static std::string Hex(uint8_t byte) {
        const char digits[] = "0123456789ABCDEF";
        return std::string("0x") + digits[byte >> 4] + digits[byte & 15];
    }

    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    int frames_ = 0;
    std::unique_ptr<LzwDecoder> decoder_;
};

}  // namespace

std::string FirstDamage(const uint8_t* stream, size_t size) {
    return BlockWalk(stream, size).Run();
}
