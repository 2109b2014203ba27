#include "controls/GifViewer.h"

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/TranslatedColour.h"
#include "platform/SystemColors.h"

namespace controls {

namespace {

// Timer intervals for the frame delays that do not simply scale.
constexpr std::int32_t kZeroDelayIntervalMs = 100;        // delay 0: a common "as fast as you can"
constexpr std::int32_t kShortDelayIntervalMs = 50;        // delays of 1 to 4 hundredths
constexpr std::int32_t kNegativeDelayIntervalMs = 60000;  // a stored delay of 32768 or more
constexpr std::int16_t kShortestScaledDelay = 5;
constexpr std::int32_t kFirstTickIntervalMs = 1;  // playback starts (almost) at once

// Defaults of the persisted properties.
constexpr bool kDefaultAutoPlay = false;
constexpr std::int32_t kDefaultBorderStyle = 0;
constexpr bool kDefaultEnabled = true;

// The window keeps its border style in 16 bits.
std::int16_t BorderStyleValue(std::int32_t style) {
    if (style < std::numeric_limits<std::int16_t>::min() ||
        style > std::numeric_limits<std::int16_t>::max()) {
        throw std::overflow_error("BorderStyle: " + std::to_string(style) +
                                  " does not fit in 16 bits");
    }
    return static_cast<std::int16_t>(style);
}

}  // namespace

GifViewer::GifViewer(GifViewerHost& host) : host_(host) {}

GifViewer::~GifViewer() {
    Stop();
}

std::int32_t GifViewer::DelayInterval(std::int16_t delay) {
    if (delay < 0) return kNegativeDelayIntervalMs;
    if (delay == 0) return kZeroDelayIntervalMs;
    if (delay < kShortestScaledDelay) return kShortDelayIntervalMs;
    // In 32 bits: the longest delay, 32767 hundredths, is 327670 ms.
    return static_cast<std::int32_t>(delay) * 10;
}

// ---- Methods ----

std::int16_t GifViewer::ShownFrameCount() {
    constexpr std::uint64_t kBuffers = 3, kBytesPerPixel = 4;
    const std::uint64_t screenBytes = kBuffers * kBytesPerPixel *
                                      static_cast<std::uint16_t>(image_.ScreenWidth()) *
                                      static_cast<std::uint16_t>(image_.ScreenHeight());
    if (screenBytes > image_.LoadLimits().frameBitmapBytes) {
        image_.Destroy();
        return 0;
    }
    return static_cast<std::int16_t>(image_.FramesCount());
}

bool GifViewer::LoadFromFile(const std::string& fileName) {
    Stop();
    frameCount_ = 0;
    if (image_.LoadFromFile(fileName)) frameCount_ = ShownFrameCount();
    const bool loaded = frameCount_ > 0;
    Restart(autoPlay_);
    return loaded;
}

bool GifViewer::LoadFromResource(const std::string& resourceId, const std::string& resourceType) {
    Stop();
    frameCount_ = 0;
    {
        const std::vector<std::uint8_t> bytes = host_.ReadResource(resourceId, resourceType);
        if (image_.LoadFromStream(bytes)) frameCount_ = ShownFrameCount();
    }  // the bytes are dropped before the first frame is composed
    const bool loaded = frameCount_ > 0;
    Restart(autoPlay_);
    return loaded;
}

void GifViewer::Play() {
    host_.SetTimerEnabled(frameCount_ > 1);
}

void GifViewer::Pause() {
    host_.SetTimerEnabled(false);
}

void GifViewer::Rewind() {
    currentFrame_ = 1;
}

void GifViewer::NextFrame() {
    if (frameCount_ > 0 && !host_.TimerEnabled()) Tick();
}

void GifViewer::Destroy() {
    Stop();
    frameCount_ = 0;
    image_.Destroy();
    compositor_.Clear();
    // The position of the fit rectangle stays; with no size the border fill covers all.
    fitWidth_ = 0;
    fitHeight_ = 0;
    PaintBorder();
}

// ---- Properties ----

std::int16_t GifViewer::GIFWidth() const {
    return image_.ScreenWidth();
}

std::int16_t GifViewer::GIFHeight() const {
    return image_.ScreenHeight();
}

platform::PicturePtr GifViewer::GIFCurrentFrameImage() const {
    return compositor_.Display().Image();
}

bool GifViewer::GIFIsPlaying() const {
    return host_.TimerEnabled();
}

platform::OLE_COLOR GifViewer::BackColor() const {
    return host_.BackColor();
}

void GifViewer::SetBackColor(platform::OLE_COLOR value) {
    host_.SetBackColor(value);
    const bool wasPlaying = host_.TimerEnabled();
    Stop();
    Restart(wasPlaying);
}

std::int32_t GifViewer::BorderStyle() const {
    return host_.BorderStyle();
}

void GifViewer::SetBorderStyle(std::int32_t value) {
    host_.SetBorderStyle(BorderStyleValue(value));
}

bool GifViewer::enabled() const {
    return host_.Enabled();
}

void GifViewer::Setenabled(bool value) {
    host_.SetEnabled(value);
}

// ---- Persistence ----

void GifViewer::InitProperties() {
    autoPlay_ = kDefaultAutoPlay;
}

void GifViewer::ReadProperties(const platform::PropertyBag& bag) {
    autoPlay_ = bag.Read<bool>("AutoPlay", kDefaultAutoPlay);
    // The window's own properties go straight to the window: no restart, no repaint.
    host_.SetBackColor(bag.Read<platform::OLE_COLOR>("BackColor", platform::kOleButtonFace));
    host_.SetBorderStyle(
        BorderStyleValue(bag.Read<std::int32_t>("BorderStyle", kDefaultBorderStyle)));
    host_.SetEnabled(bag.Read<bool>("Enabled", kDefaultEnabled));
}

void GifViewer::WriteProperties(platform::PropertyBag& bag) const {
    bag.WriteProperty("AutoPlay", autoPlay_, kDefaultAutoPlay);
    bag.WriteProperty("BackColor", host_.BackColor(), platform::kOleButtonFace);
    bag.WriteProperty("BorderStyle", static_cast<std::int32_t>(host_.BorderStyle()),
                      kDefaultBorderStyle);
    bag.WriteProperty("Enabled", host_.Enabled(), kDefaultEnabled);
}

// ---- Host notices ----

void GifViewer::DelayTimerTick() {
    Tick();
}

void GifViewer::Paint() {
    const dib::Dib& display = compositor_.Display();
    if (display.hDIB() == nullptr) return;
    display.Stretch(host_.hDC(), fitLeft_, fitTop_, fitWidth_, fitHeight_, 0, 0, 0, 0,
                    platform::gdi::kSrcCopy, platform::gdi::kColorOnColor);
    host_.SurfaceChanged();
}

void GifViewer::Resize() {
    FitToClient();
    PaintBorder();
    Paint();
}

// ---- Animation ----

void GifViewer::Stop() {
    host_.SetTimerEnabled(false);
}

void GifViewer::Tick() {
    RenderFrame();
    // The animation cycles for ever: the image's loop count is not consulted.
    currentFrame_ = currentFrame_ < frameCount_ ? static_cast<std::int16_t>(currentFrame_ + 1) : 1;
    Paint();
}

void GifViewer::RenderFrame() {
    const std::int16_t n = currentFrame_;
    // The next tick comes after the delay of the frame rendered now.
    host_.SetTimerInterval(DelayInterval(image_.FrameDelay(n)));
    compositor_.Compose(image_, n, host_.BackColor());
    host_.RaiseGIFFrameRendered(n);
}

void GifViewer::CreateBuffers() {
    compositor_.Reset(image_.ScreenWidth(), image_.ScreenHeight(), host_.BackColor());
    FitToClient();
}

// Natural size and centred when the image fits; otherwise shrunk with its aspect ratio
// kept, and centred. Nothing is written while the display buffer holds no bitmap.
void GifViewer::FitToClient() {
    compositor_.Display().GetBestFitInfo(host_.ClientWidth(), host_.ClientHeight(), fitLeft_,
                                         fitTop_, fitWidth_, fitHeight_, false);
}

void GifViewer::Restart(bool play) {
    if (frameCount_ <= 0) return;
    CreateBuffers();
    currentFrame_ = 1;
    PaintBorder();
    if (frameCount_ > 1 && play) {
        host_.SetTimerInterval(kFirstTickIntervalMs);
        host_.SetTimerEnabled(true);
    } else {
        Tick();
    }
}

// Fills the client area outside the fit rectangle with the back colour.
void GifViewer::PaintBorder() {
    namespace gdi = platform::gdi;
    const gdi::HRGN client = gdi::CreateRectRgn(0, 0, host_.ClientWidth(), host_.ClientHeight());
    const gdi::HRGN picture =
        gdi::CreateRectRgn(fitLeft_, fitTop_, fitLeft_ + fitWidth_, fitTop_ + fitHeight_);
    gdi::CombineRgn(client, client, picture, gdi::kRgnDiff);
    gdi::FillRgnWithColor(host_.hDC(), client, TranslatedColour(host_.BackColor()));
    gdi::DeleteObject(client);
    gdi::DeleteObject(picture);
    host_.SurfaceChanged();
}

}  // namespace controls
