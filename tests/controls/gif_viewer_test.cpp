// The GIF viewer's logic, hosted in memory: timing, composition, fitting and its states.

#include "controls/GifViewer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "SurfacePixels.h"
#include "TestGifBuilder.h"
#include "controls/MemoryViewerHost.h"

namespace {

using controls::GifViewer;
using controls::MemoryViewerHost;
using testgif::SolidFrame;

// Palette indices of the test images and their colours (0xRRGGBB).
enum : std::uint8_t { kBlack, kRed, kGreen, kBlue, kWhite };
const std::vector<std::uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

// The control's back colour as a colour value (red + 256 green + 65536 blue) and as RGB.
constexpr std::uint32_t kBackColor = 0x00402010;
constexpr std::uint32_t kBackRgb = 0x102040;
constexpr std::uint32_t kOtherBackColor = 0x00030201;
constexpr std::uint32_t kOtherBackRgb = 0x010203;

using testgif::RgbAt;

class ViewerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.SetBackColor(kBackColor);
        host.onFrameRendered = [this](std::int16_t frame) {
            rendered.push_back(frame);
            currentInsideEvent.push_back(viewer.GIFCurrentFrame());
        };
    }

    bool Load(const std::vector<std::uint8_t>& gif) {
        host.AddResource("BANNER", "GIF", gif);
        return viewer.LoadFromResource("BANNER", "GIF");
    }

    std::uint32_t Screen(int x, int y) const { return RgbAt(viewer.DisplayBuffer(), x, y); }
    std::uint32_t Surface(int x, int y) const { return RgbAt(host.Surface(), x, y); }

    MemoryViewerHost host{40, 20};
    GifViewer viewer{host};
    std::vector<std::int16_t> rendered;
    std::vector<std::int16_t> currentInsideEvent;
};

// ---- Timing ----

TEST(DelayIntervalTest, MapsHundredthsToTimerMilliseconds) {
    EXPECT_EQ(GifViewer::DelayInterval(0), 100);
    for (std::int16_t d = 1; d <= 4; ++d)
        EXPECT_EQ(GifViewer::DelayInterval(d), 50) << d;
    EXPECT_EQ(GifViewer::DelayInterval(5), 50);
    EXPECT_EQ(GifViewer::DelayInterval(7), 70);
    // Long delays do not wrap around.
    EXPECT_EQ(GifViewer::DelayInterval(3276), 32760);
    EXPECT_EQ(GifViewer::DelayInterval(3277), 32770);
    EXPECT_EQ(GifViewer::DelayInterval(32767), 327670);
    // A stored delay of 32768 or more reads as negative.
    EXPECT_EQ(GifViewer::DelayInterval(-1), 60000);
    EXPECT_EQ(GifViewer::DelayInterval(-32768), 60000);
}

TEST_F(ViewerTest, AutoPlayStartsWithAOneMillisecondTickThenFollowsEachFrameDelay) {
    viewer.SetAutoPlay(true);
    ASSERT_TRUE(Load(testgif::Build(
        40, 20, kPalette,
        {SolidFrame(0, 0, 40, 20, kRed, 0), SolidFrame(0, 0, 40, 20, kGreen, 3),
         SolidFrame(0, 0, 40, 20, kBlue, 7), SolidFrame(0, 0, 40, 20, kWhite, 3277)})));

    EXPECT_TRUE(viewer.GIFIsPlaying());
    EXPECT_EQ(host.TimerInterval(), 1);
    EXPECT_TRUE(rendered.empty()) << "the first frame waits for the first tick";
    EXPECT_EQ(viewer.GIFCurrentFrame(), 1);

    std::vector<std::int32_t> intervals;
    for (int tick = 0; tick < 5; ++tick) {
        viewer.DelayTimerTick();
        intervals.push_back(host.TimerInterval());
    }
    EXPECT_EQ(intervals, (std::vector<std::int32_t>{100, 50, 70, 32770, 100}));
    EXPECT_EQ(rendered, (std::vector<std::int16_t>{1, 2, 3, 4, 1})) << "it loops for ever";
    EXPECT_EQ(Surface(0, 0), 0xFF0000u);
}

TEST_F(ViewerTest, SingleFrameImageIsDrawnOnceAndNeverStartsTheTimer) {
    viewer.SetAutoPlay(true);
    ASSERT_TRUE(Load(testgif::Build(40, 20, kPalette, {SolidFrame(0, 0, 40, 20, kRed)})));
    EXPECT_FALSE(viewer.GIFIsPlaying());
    EXPECT_EQ(rendered, std::vector<std::int16_t>{1});
    EXPECT_EQ(viewer.GIFCurrentFrame(), 1);
    EXPECT_EQ(Surface(20, 10), 0xFF0000u);

    viewer.Play();
    EXPECT_FALSE(viewer.GIFIsPlaying());
}

TEST_F(ViewerTest, StoppedLoadShowsFrameOneAndStepsOnlyWhenStopped) {
    std::vector<testgif::Frame> frames;
    for (std::uint8_t i = 0; i < 5; ++i)
        frames.push_back(SolidFrame(0, 0, 40, 20, i % 4 + 1));
    ASSERT_TRUE(Load(testgif::Build(40, 20, kPalette, frames)));

    EXPECT_EQ(rendered, std::vector<std::int16_t>{1});
    EXPECT_EQ(viewer.GIFCurrentFrame(), 2) << "between ticks: the next frame to render";
    EXPECT_EQ(viewer.GIFFrames(), 5);
    EXPECT_FALSE(viewer.GIFIsPlaying());

    viewer.NextFrame();
    viewer.NextFrame();
    EXPECT_EQ(rendered, (std::vector<std::int16_t>{1, 2, 3}));
    EXPECT_EQ(currentInsideEvent, rendered) << "inside the event: the frame just rendered";

    viewer.Play();
    EXPECT_TRUE(viewer.GIFIsPlaying());
    viewer.NextFrame();
    EXPECT_EQ(rendered.size(), 3u) << "NextFrame while playing is ignored";
    viewer.Pause();
    EXPECT_FALSE(viewer.GIFIsPlaying());
}

TEST_F(ViewerTest, RewindChangesNothingOnScreenUntilTheNextFrame) {
    ASSERT_TRUE(Load(testgif::Build(
        40, 20, kPalette, {SolidFrame(0, 0, 40, 20, kRed), SolidFrame(0, 0, 40, 20, kGreen)})));
    viewer.NextFrame();
    ASSERT_EQ(Surface(5, 5), 0x00FF00u);
    const int changes = host.surfaceChanges;

    viewer.Rewind();
    EXPECT_EQ(Surface(5, 5), 0x00FF00u);
    EXPECT_EQ(host.surfaceChanges, changes);
    EXPECT_EQ(viewer.GIFCurrentFrame(), 1);

    viewer.NextFrame();
    EXPECT_EQ(rendered.back(), 1);
    EXPECT_EQ(Surface(5, 5), 0xFF0000u);
}

// ---- Composition ----

TEST_F(ViewerTest, RestoreToBackgroundShowsTheBackColourUnderTheNextFrame) {
    ASSERT_TRUE(Load(testgif::Build(
        40, 20, kPalette,
        {SolidFrame(0, 0, 40, 20, kRed, 10, 1), SolidFrame(0, 0, 20, 20, kGreen, 10, 2),
         SolidFrame(30, 0, 5, 5, kBlue, 10, 1)})));
    viewer.NextFrame();
    EXPECT_EQ(Screen(5, 5), 0x00FF00u);
    viewer.NextFrame();
    EXPECT_EQ(Screen(32, 2), 0x0000FFu);
    EXPECT_EQ(Screen(5, 5), kBackRgb) << "the restore-to-background frame's area is cleared";
    EXPECT_EQ(Screen(19, 19), kBackRgb);
    EXPECT_EQ(Screen(20, 10), 0xFF0000u) << "the rest of the composition stays";
}

TEST_F(ViewerTest, RestoreToPreviousDrawsTheNextFrameOverTheEarlierComposition) {
    ASSERT_TRUE(Load(testgif::Build(
        40, 20, kPalette,
        {SolidFrame(0, 0, 40, 20, kRed, 10, 1), SolidFrame(0, 0, 10, 10, kGreen, 10, 3),
         SolidFrame(30, 10, 10, 10, kBlue, 10, 1)})));
    viewer.NextFrame();
    EXPECT_EQ(Screen(5, 5), 0x00FF00u);
    viewer.NextFrame();
    EXPECT_EQ(Screen(5, 5), 0xFF0000u) << "the restore-to-previous frame is gone";
    EXPECT_EQ(Screen(35, 15), 0x0000FFu);
}

TEST_F(ViewerTest, EveryPassStartsOnACleanCanvasWhateverTheLastDisposal) {
    for (int lastDisposal : {0, 1, 3}) {
        SCOPED_TRACE(lastDisposal);
        ASSERT_TRUE(Load(testgif::Build(40, 20, kPalette,
                                        {SolidFrame(0, 0, 10, 10, kRed, 10, 1),
                                         SolidFrame(30, 10, 10, 10, kBlue, 10, lastDisposal)})));
        viewer.NextFrame();
        EXPECT_EQ(Screen(35, 15), 0x0000FFu);
        viewer.NextFrame();  // frame 1 again
        EXPECT_EQ(rendered.back(), 1);
        EXPECT_EQ(Screen(5, 5), 0xFF0000u);
        EXPECT_EQ(Screen(35, 15), kBackRgb);
    }
}

TEST_F(ViewerTest, TransparentPixelsShowTheBackColourAndLaterTheEarlierFrame) {
    testgif::Frame holed = SolidFrame(0, 0, 40, 20, kRed, 10, 1);
    holed.indices[0] = kBlack;
    holed.transparentIndex = kBlack;
    testgif::Frame overlay = SolidFrame(0, 0, 40, 20, kGreen, 10, 1);
    overlay.indices[1] = kWhite;
    overlay.transparentIndex = kWhite;
    ASSERT_TRUE(Load(testgif::Build(40, 20, kPalette, {holed, overlay})));

    EXPECT_EQ(Screen(0, 0), kBackRgb);
    EXPECT_EQ(Screen(1, 0), 0xFF0000u);
    viewer.NextFrame();
    EXPECT_EQ(Screen(0, 0), 0x00FF00u);
    EXPECT_EQ(Screen(1, 0), 0xFF0000u);
}

// ---- Fitting into the client area ----

TEST_F(ViewerTest, SmallerControlShowsTheImageShrunkAndCentredWithBackColourStrips) {
    host.SetClientSize(20, 20);
    ASSERT_TRUE(Load(testgif::Build(40, 20, kPalette, {SolidFrame(0, 0, 40, 20, kRed)})));
    EXPECT_EQ(viewer.FitLeft(), 0);
    EXPECT_EQ(viewer.FitTop(), 5);
    EXPECT_EQ(viewer.FitWidth(), 20);
    EXPECT_EQ(viewer.FitHeight(), 10);
    EXPECT_EQ(Surface(10, 4), kBackRgb);
    EXPECT_EQ(Surface(10, 5), 0xFF0000u);
    EXPECT_EQ(Surface(10, 14), 0xFF0000u);
    EXPECT_EQ(Surface(10, 15), kBackRgb);
}

TEST_F(ViewerTest, LargerControlShowsTheImageAtNaturalSizeCentredAndFollowsResizes) {
    host.SetClientSize(60, 30);
    ASSERT_TRUE(Load(testgif::Build(40, 20, kPalette, {SolidFrame(0, 0, 40, 20, kRed)})));
    EXPECT_EQ(viewer.FitLeft(), 10);
    EXPECT_EQ(viewer.FitTop(), 5);
    EXPECT_EQ(viewer.FitWidth(), 40);
    EXPECT_EQ(Surface(9, 10), kBackRgb);
    EXPECT_EQ(Surface(10, 5), 0xFF0000u);
    EXPECT_EQ(Surface(49, 24), 0xFF0000u);
    EXPECT_EQ(Surface(50, 24), kBackRgb);

    host.SetClientSize(10, 10);
    viewer.Resize();
    EXPECT_EQ(viewer.FitWidth(), 10);
    EXPECT_EQ(viewer.FitHeight(), 5);
    EXPECT_EQ(viewer.FitTop(), 2);
    EXPECT_EQ(Surface(5, 1), kBackRgb);
    EXPECT_EQ(Surface(5, 2), 0xFF0000u);
}

// ---- Back colour ----

TEST_F(ViewerTest, BackColourWhileStoppedShowsFrameOneAgainInTheNewColour) {
    ASSERT_TRUE(Load(testgif::Build(
        40, 20, kPalette,
        {SolidFrame(0, 0, 10, 10, kRed, 10, 1), SolidFrame(30, 10, 10, 10, kBlue, 10, 1)})));
    viewer.NextFrame();
    viewer.SetBackColor(kOtherBackColor);
    EXPECT_EQ(viewer.BackColor(), kOtherBackColor);
    EXPECT_FALSE(viewer.GIFIsPlaying());
    EXPECT_EQ(rendered.back(), 1);
    EXPECT_EQ(viewer.GIFCurrentFrame(), 2);
    EXPECT_EQ(Surface(5, 5), 0xFF0000u);
    EXPECT_EQ(Surface(35, 15), kOtherBackRgb);
}

TEST_F(ViewerTest, BackColourWhilePlayingRestartsFromFrameOne) {
    viewer.SetAutoPlay(true);
    ASSERT_TRUE(Load(testgif::Build(
        40, 20, kPalette, {SolidFrame(0, 0, 40, 20, kRed), SolidFrame(0, 0, 10, 10, kBlue)})));
    viewer.DelayTimerTick();
    viewer.DelayTimerTick();
    viewer.SetBackColor(kOtherBackColor);
    EXPECT_TRUE(viewer.GIFIsPlaying());
    EXPECT_EQ(host.TimerInterval(), 1);
    EXPECT_EQ(viewer.GIFCurrentFrame(), 1);
    EXPECT_EQ(Screen(30, 15), kOtherBackRgb) << "buffers cleared to the new colour";
}

// ---- Emptying and failures ----

TEST_F(ViewerTest, DestroyEmptiesTheViewerAndFillsTheWholeClient) {
    host.SetClientSize(60, 30);
    ASSERT_TRUE(Load(testgif::Build(40, 20, kPalette, {SolidFrame(0, 0, 40, 20, kRed)})));
    viewer.Destroy();
    EXPECT_FALSE(viewer.GIFLoaded());
    EXPECT_EQ(viewer.GIFFrames(), 0);
    EXPECT_EQ(viewer.DisplayBuffer().hDIB(), nullptr);
    EXPECT_EQ(viewer.FitLeft(), 10) << "the position is kept";
    for (int y = 0; y < 30; y += 3) {
        for (int x = 0; x < 60; x += 3)
            ASSERT_EQ(Surface(x, y), kBackRgb) << x << "," << y;
    }
    viewer.NextFrame();
    EXPECT_EQ(rendered.size(), 1u);
}

TEST_F(ViewerTest, FailedLoadLeavesTheLastPictureOnScreen) {
    viewer.SetAutoPlay(true);
    ASSERT_TRUE(Load(testgif::Build(
        40, 20, kPalette, {SolidFrame(0, 0, 40, 20, kRed), SolidFrame(0, 0, 40, 20, kBlue)})));
    viewer.DelayTimerTick();
    EXPECT_FALSE(viewer.LoadFromFile("/nonexistent/banner.gif"));
    EXPECT_FALSE(viewer.GIFLoaded());
    EXPECT_FALSE(viewer.GIFIsPlaying());
    viewer.Paint();
    EXPECT_EQ(Surface(5, 5), 0xFF0000u);

    // A file whose header is accepted but that holds no image is not loaded either.
    const testgif::TemporaryFile empty("no-frames.gif", testgif::Build(40, 20, kPalette, {}));
    EXPECT_FALSE(viewer.LoadFromFile(empty.Path()));
    EXPECT_EQ(viewer.GIFFrames(), 0);
}

TEST_F(ViewerTest, LoadFromFileReadsTheImageFromDisk) {
    const testgif::TemporaryFile file(
        "two-frames.gif",
        testgif::Build(40, 20, kPalette,
                       {SolidFrame(0, 0, 40, 20, kGreen), SolidFrame(0, 0, 40, 20, kBlue)}));
    ASSERT_TRUE(viewer.LoadFromFile(file.Path()));
    EXPECT_EQ(viewer.GIFWidth(), 40);
    EXPECT_EQ(viewer.GIFHeight(), 20);
    EXPECT_EQ(Surface(5, 5), 0x00FF00u);
}

TEST_F(ViewerTest, UnreadableResourceThrowsAfterTheViewerIsStoppedAndEmpty) {
    viewer.SetAutoPlay(true);
    ASSERT_TRUE(Load(testgif::Build(
        40, 20, kPalette, {SolidFrame(0, 0, 40, 20, kRed), SolidFrame(0, 0, 40, 20, kBlue)})));
    EXPECT_THROW(viewer.LoadFromResource("MISSING", "GIF"), std::runtime_error);
    EXPECT_FALSE(viewer.GIFLoaded());
    EXPECT_FALSE(viewer.GIFIsPlaying());
}

TEST_F(ViewerTest, CurrentFrameImageIsACopyOfTheDisplayBuffer) {
    ASSERT_TRUE(Load(testgif::Build(40, 20, kPalette, {SolidFrame(0, 0, 20, 20, kGreen)})));
    const platform::PicturePtr picture = viewer.GIFCurrentFrameImage();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 40);
    EXPECT_EQ(picture->Height(), 20);
    EXPECT_EQ(picture->Pixels()[5] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(picture->Pixels()[30] & 0xFFFFFF, kBackRgb);
    viewer.Destroy();
    EXPECT_EQ(picture->Pixels()[5] & 0xFFFFFF, 0x00FF00u) << "the picture keeps its own pixels";
}

TEST_F(ViewerTest, PersistedPropertiesKeepOnlyWhatDiffersFromTheDefaults) {
    platform::PropertyBag bag;
    viewer.InitProperties();
    host.SetBackColor(platform::kOleButtonFace);
    viewer.WriteProperties(bag);
    EXPECT_EQ(bag.Count(), 0u);

    viewer.SetAutoPlay(true);
    viewer.SetBackColor(kOtherBackColor);
    viewer.SetBorderStyle(1);
    viewer.Setenabled(false);
    viewer.WriteProperties(bag);
    EXPECT_EQ(bag.Count(), 4u);

    MemoryViewerHost otherHost(10, 10);
    GifViewer other(otherHost);
    other.ReadProperties(bag);
    EXPECT_TRUE(other.AutoPlay());
    EXPECT_EQ(otherHost.BackColor(), kOtherBackColor);
    EXPECT_EQ(otherHost.BorderStyle(), 1);
    EXPECT_FALSE(otherHost.Enabled());

    bag.WriteProperty("BorderStyle", std::int32_t{40000}, std::int32_t{0});
    EXPECT_THROW(other.ReadProperties(bag), std::overflow_error);
}

TEST_F(ViewerTest, WindowPropertiesGoToTheHost) {
    viewer.SetBorderStyle(1);
    EXPECT_EQ(host.BorderStyle(), 1);
    EXPECT_THROW(viewer.SetBorderStyle(40000), std::overflow_error);
    EXPECT_EQ(viewer.BorderStyle(), 1);
    viewer.Setenabled(false);
    EXPECT_FALSE(host.Enabled());
}

}  // namespace
