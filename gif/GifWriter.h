#pragma once
// Writes a GifModel as a GIF file, front to back in one pass, straight from the model: the
// header ("89a" once there are frames), the logical screen and its global colour table,
// the looping extension, and for every frame a graphic control extension, the image
// descriptor, its local colour table and its LZW data.
//
// The model's values are written as they are and not checked against one another; a value
// that does not fit its field in the file ends the writing with an exception.

#include <memory>
#include <string>

#include "gif/GifByteSink.h"
#include "gif/GifModel.h"

namespace gif {

class LzwEncoder;

class GifWriter {
  public:
    GifWriter();
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    // Throws std::overflow_error for a packed field or palette size that does not fit its
    // byte, std::out_of_range for a model without a frame table, std::runtime_error for a
    // frame without a colour bitmap, and whatever the sink throws.
    void Write(const GifModel& model, GifByteSink& out);

  private:
    void WriteHeader(const GifModel& model, GifByteSink& out);
    void WriteLogicalScreen(const GifModel& model, GifByteSink& out);
    void WriteLoopingExtension(const GifModel& model, GifByteSink& out);
    void WriteFrame(const GifFrame& frame, GifByteSink& out);

    int globalBits_ = 0;  // 0 without a global table
    std::unique_ptr<LzwEncoder> encoder_;
};

// Writes the model to a file, replacing the file only once the new one is complete; throws,
// with the reason, where GifImage::Save returns false.
void SaveGifFile(const GifModel& model, const std::string& fileName);

}  // namespace gif
