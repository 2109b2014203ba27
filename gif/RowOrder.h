#pragma once
// The order in which a frame's rows are stored in GIF image data: top to bottom, or in the
// four interlace passes (rows 0, 8, 16, ...; then 4, 12, ...; then 2, 6, ...; then 1, 3, ...).
// Passes that start below the last row are skipped, so frames of any height work; a 3-row
// interlaced frame comes as rows 0, 2, 1.

#include <cstdint>

namespace gif {

class RowOrder {
  public:
    RowOrder(std::int32_t height, bool interlaced) : height_(height), interlaced_(interlaced) {
        done_ = height_ <= 0;
    }

    std::int32_t Row() const { return row_; }
    // True once every row has been visited.
    bool Done() const { return done_; }

    // Moves to the next row in stream order.
    void Advance() {
        if (!interlaced_) {
            if (++row_ >= height_) done_ = true;
            return;
        }
        row_ += kStep[pass_];
        while (row_ >= height_) {
            if (++pass_ == kPasses) {
                done_ = true;
                return;
            }
            row_ = kStart[pass_];
        }
    }

  private:
    static constexpr int kPasses = 4;
    static constexpr std::int32_t kStart[kPasses] = {0, 4, 2, 1};
    static constexpr std::int32_t kStep[kPasses] = {8, 8, 4, 2};

    std::int32_t height_;
    bool interlaced_;
    bool done_ = false;
    int pass_ = 0;
    std::int32_t row_ = 0;
};

}  // namespace gif
