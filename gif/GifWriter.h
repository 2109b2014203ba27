#pragma once
// Writes a GifImage as a GIF file, front to back in one pass, straight from the model: the
// header ("89a" once there are frames), the logical screen and its global colour table,
// the looping extension, and for every frame a graphic control extension, the image
// descriptor, its local colour table and its LZW data.
//
// The model's values are written as they are and not checked against one another; a value
// that does not fit its field in the file ends the writing with an exception.

#include <cstdint>
#include <string>

class GifImage;
class GifByteSink;
struct GifFrame;

class GifWriter {
  public:
    explicit GifWriter(GifImage& image) : gif_(image) {}

    // Throws std::overflow_error for a packed field or palette size that does not fit its
    // byte, std::out_of_range for a missing frame table, std::runtime_error for a frame
    // without a colour bitmap, and whatever the sink throws. The screen descriptor's packed
    // flags in the model are replaced by the ones computed for the file.
    void Write(GifByteSink& out);

  private:
    void WriteHeader(GifByteSink& out);
    void WriteLogicalScreen(GifByteSink& out);
    void WriteLoopingExtension(GifByteSink& out);
    void WriteFrame(GifByteSink& out, const GifFrame& frame);

    GifImage& gif_;
    int globalBits_ = 0;  // 0 without a global table
};

// Writes the image to a file as GifImage::Save does, replacing the file only once the new one is
// complete; throws, with the reason, where Save returns false.
void SaveGifFile(GifImage& image, const std::string& fileName);
