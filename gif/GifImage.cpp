#include "gif/GifImage.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "gif/FrameMask.h"
#include "gif/GifFrameDrawing.h"
#include "gif/GifFrameList.h"
#include "gif/GifWriter.h"
#include "platform/Errors.h"
#include "platform/RegularFile.h"
#include "platform/Rounding.h"
#include "platform/WholeFile.h"

namespace gif {

bool GifImage::LoadFromFile(const std::string& fileName) {
    // Only a regular file, never a pipe or a device, and none larger than a load may read.
    std::vector<std::uint8_t> bytes;
    if (!platform::ReadWholeFile(fileName, bytes, loadLimits_.inputBytes)) {
        Destroy();
        std::uint64_t length = 0;
        std::FILE* file = platform::OpenRegularFile(fileName, length);
        if (file != nullptr) std::fclose(file);
        const bool tooLarge = file != nullptr && length > loadLimits_.inputBytes;
        loadStatus_ = tooLarge ? GifLoadStatus::TooLarge : GifLoadStatus::Unreadable;
        loadDamage_.clear();
        return false;
    }
    if (bytes.empty()) {
        Destroy();
        loadStatus_ = GifLoadStatus::EmptyStream;
        loadDamage_.clear();
        return false;
    }
    try {
        return LoadFromStream(bytes);
    } catch (const std::exception&) {
        Destroy();
        return false;
    }
}

bool GifImage::LoadFromStream(const std::vector<std::uint8_t>& stream) {
    return LoadFromStream(stream.data(), stream.size());
}

bool GifImage::LoadFromStream(const std::uint8_t* stream, size_t size) {
    GifReader reader(loadLimits_);
    loadStatus_ = reader.Read(stream, size, model_);
    loadDamage_ = reader.Damage();
    // A signature or version that would begin past the end is an error of the caller's.
    if (loadStatus_ == GifLoadStatus::EmptyStream)
        throw std::out_of_range("empty stream: no GIF signature");
    if (loadStatus_ == GifLoadStatus::CutInHeader && size == 3)
        throw std::out_of_range("stream ends before the GIF version");
    return loadStatus_ == GifLoadStatus::Loaded;
}

bool GifImage::Save(const std::string& fileName) const {
    // The previous file is replaced only once the new one is complete on disk.
    try {
        SaveGifFile(model_, fileName);
        return true;
    } catch (...) {
        return false;
    }
}

GifFrame& GifImage::Frame(FrameNumber frameNumber) {
    if (frameNumber < 1 || static_cast<size_t>(frameNumber) > model_.frames.size())
        throw std::out_of_range("frame number outside the frame table");
    return model_.frames[static_cast<size_t>(frameNumber) - 1];
}

const GifFrame& GifImage::Frame(FrameNumber frameNumber) const {
    return const_cast<GifImage*>(this)->Frame(frameNumber);
}

float GifImage::ScreenPixelAspectRatio() const {
    return static_cast<float>((model_.screen.aspectByte + 15.0) / 64.0);
}

void GifImage::SetScreenPixelAspectRatio(float value) {
    // Exact in a double for every value that lands in the byte's range.
    const double exact = static_cast<double>(value) * 64.0 - 15.0;
    if (!std::isfinite(exact)) throw std::overflow_error("pixel aspect ratio is not a number");
    const double rounded = platform::RoundHalfToEven(exact);
    if (rounded < 0 || rounded > 255)
        throw std::overflow_error("pixel aspect ratio outside the aspect byte's range");
    model_.screen.aspectByte = static_cast<std::uint8_t>(rounded);
}

void GifImage::SetFrameDisposalMethod(FrameNumber frameNumber, std::int32_t value) {
    GifFrame& frame = Frame(frameNumber);
    if (value < 0 || value > 255) throw std::overflow_error("disposal method outside 0 to 255");
    frame.disposal = static_cast<std::uint8_t>(value);
}

void GifImage::FrameDraw(dib::Dib::HDC dc, FrameNumber frameNumber, std::int16_t left,
                         std::int16_t top, float scale, bool cropToScreen) const {
    DrawFrame(Frame(frameNumber), model_.screen, dc, left, top, scale, cropToScreen);
}

void GifImage::FrameMask(FrameNumber frameNumber, std::uint8_t transparentIndex) {
    GifFrame& frame = Frame(frameNumber);
    if (!frame.colours || !frame.mask)
        throw platform::MissingObjectError("the frame has no bitmaps");
    // Always from the stored frame palette, so earlier calls leave no trace.
    GifPalette table = frame.palette;
    if (frame.useTransparentColour) {
        GifColour& transparent = table[transparentIndex];
        transparent.blue = transparent.green = transparent.red = 0;
        BuildFrameMask(*frame.colours, transparentIndex, *frame.mask);
    } else {
        frame.mask->Cls(0);  // every pixel opaque
    }
    frame.colours->SetPalette(table.Bytes(), GifPalette::kByteSize);
}

void GifImage::FrameInsert(FrameNumber frameNumber, std::int16_t width, std::int16_t height) {
    InsertFrame(model_, frameNumber, width, height);
}

void GifImage::FrameRemove(FrameNumber frameNumber) {
    RemoveFrame(model_, frameNumber);
}

void GifImage::FrameMoveUp(FrameNumber frameNumber) {
    MoveFrameUp(model_, frameNumber);
}

void GifImage::FrameMoveDown(FrameNumber frameNumber) {
    MoveFrameDown(model_, frameNumber);
}

}  // namespace gif
