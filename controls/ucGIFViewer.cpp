#include "ucGIFViewer.h"

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "TranslatedColour.h"
#include "platform/SystemColors.h"

namespace controls {

namespace {

// Disposal methods of a frame, as the graphic control extension numbers them.
constexpr int32_t kDisposalNotGiven = 0;
constexpr int32_t kDisposalLeaveInPlace = 1;
constexpr int32_t kDisposalRestoreBackground = 2;
// Every other value, "restore to previous" (3) among them, leaves the canvas as it was
// before the frame.

// Timer intervals for the frame delays that do not simply scale.
constexpr int32_t kZeroDelayIntervalMs = 100;        // delay 0: a common "as fast as you can"
constexpr int32_t kShortDelayIntervalMs = 50;        // delays of 1 to 4 hundredths
constexpr int32_t kNegativeDelayIntervalMs = 60000;  // a stored delay of 32768 or more
constexpr int16_t kShortestScaledDelay = 5;
constexpr int32_t kFirstTickIntervalMs = 1;  // playback starts (almost) at once

// Defaults of the persisted properties.
constexpr bool kDefaultAutoPlay = false;
constexpr int32_t kDefaultBorderStyle = 0;
constexpr bool kDefaultEnabled = true;

// The window keeps its border style in 16 bits.
int16_t BorderStyleValue(int32_t style) {
    if (style < std::numeric_limits<int16_t>::min() ||
        style > std::numeric_limits<int16_t>::max()) {
        throw std::overflow_error("BorderStyle: " + std::to_string(style) +
                                  " does not fit in 16 bits");
    }
    return static_cast<int16_t>(style);
}

}  // namespace

ucGIFViewer::ucGIFViewer(ucGIFViewerHost& host) : host_(host) {}

ucGIFViewer::~ucGIFViewer() {
    Stop();
}

int32_t ucGIFViewer::DelayInterval(int16_t FrameDelay) {
    if (FrameDelay < 0) return kNegativeDelayIntervalMs;
    if (FrameDelay == 0) return kZeroDelayIntervalMs;
    if (FrameDelay < kShortestScaledDelay) return kShortDelayIntervalMs;
    // In 32 bits: the longest delay, 32767 hundredths, is 327670 ms.
    return static_cast<int32_t>(FrameDelay) * 10;
}

// ---- Methods ----

bool ucGIFViewer::LoadFromFile(const std::string& FileName) {
    Stop();
    m_Frames = 0;
    if (m_GIF.LoadFromFile(FileName)) m_Frames = m_GIF.FramesCount();
    const bool loaded = m_Frames > 0;
    Restart(m_AutoPlay);
    return loaded;
}

bool ucGIFViewer::LoadFromResource(const std::string& ResourceID, const std::string& ResourceType) {
    Stop();
    m_Frames = 0;
    {
        const std::vector<uint8_t> bytes = host_.ReadResource(ResourceID, ResourceType);
        if (m_GIF.LoadFromStream(bytes)) m_Frames = m_GIF.FramesCount();
    }  // the bytes are dropped before the first frame is composed
    const bool loaded = m_Frames > 0;
    Restart(m_AutoPlay);
    return loaded;
}

void ucGIFViewer::Play() {
    host_.SetTimerEnabled(m_Frames > 1);
}

void ucGIFViewer::Pause() {
    host_.SetTimerEnabled(false);
}

void ucGIFViewer::Rewind() {
    m_CurrentFrame = 1;
}

void ucGIFViewer::NextFrame() {
    if (m_Frames > 0 && !host_.TimerEnabled()) Tick();
}

void ucGIFViewer::Destroy() {
    Stop();
    m_Frames = 0;
    m_GIF.Destroy();
    m_DIBScreen.Destroy();
    m_DIBBack.Destroy();
    m_DIBBackground.Destroy();
    // The position of the fit rectangle stays; with no size the border fill covers all.
    m_bfW = 0;
    m_bfH = 0;
    PaintBorder();
}

// ---- Properties ----

int16_t ucGIFViewer::GIFWidth() const {
    return m_GIF.ScreenWidth();
}

int16_t ucGIFViewer::GIFHeight() const {
    return m_GIF.ScreenHeight();
}

platform::PicturePtr ucGIFViewer::GIFCurrentFrameImage() const {
    return m_DIBScreen.Image();
}

bool ucGIFViewer::GIFIsPlaying() const {
    return host_.TimerEnabled();
}

uint32_t ucGIFViewer::BackColor() const {
    return host_.BackColor();
}

void ucGIFViewer::SetBackColor(uint32_t New_BackColor) {
    host_.SetBackColor(New_BackColor);
    const bool wasPlaying = host_.TimerEnabled();
    Stop();
    Restart(wasPlaying);
}

int32_t ucGIFViewer::BorderStyle() const {
    return host_.BorderStyle();
}

void ucGIFViewer::SetBorderStyle(int32_t New_BorderStyle) {
    host_.SetBorderStyle(BorderStyleValue(New_BorderStyle));
}

bool ucGIFViewer::enabled() const {
    return host_.Enabled();
}

void ucGIFViewer::Setenabled(bool New_Enabled) {
    host_.SetEnabled(New_Enabled);
}

// ---- Persistence ----

void ucGIFViewer::InitProperties() {
    m_AutoPlay = kDefaultAutoPlay;
}

void ucGIFViewer::ReadProperties(const platform::PropertyBag& PropBag) {
    m_AutoPlay = PropBag.Read<bool>("AutoPlay", kDefaultAutoPlay);
    // The window's own properties go straight to the window: no restart, no repaint.
    host_.SetBackColor(PropBag.Read<uint32_t>("BackColor", platform::kOleButtonFace));
    host_.SetBorderStyle(
        BorderStyleValue(PropBag.Read<int32_t>("BorderStyle", kDefaultBorderStyle)));
    host_.SetEnabled(PropBag.Read<bool>("Enabled", kDefaultEnabled));
}

void ucGIFViewer::WriteProperties(platform::PropertyBag& PropBag) const {
    PropBag.WriteProperty("AutoPlay", m_AutoPlay, kDefaultAutoPlay);
    PropBag.WriteProperty("BackColor", host_.BackColor(), platform::kOleButtonFace);
    PropBag.WriteProperty("BorderStyle", static_cast<int32_t>(host_.BorderStyle()),
                          kDefaultBorderStyle);
    PropBag.WriteProperty("Enabled", host_.Enabled(), kDefaultEnabled);
}

// ---- Host notices ----

void ucGIFViewer::tmrDelay_Timer() {
    Tick();
}

void ucGIFViewer::Paint() {
    if (m_DIBScreen.hDIB() == nullptr) return;
    m_DIBScreen.Stretch(host_.hDC(), m_bfx, m_bfy, m_bfW, m_bfH, 0, 0, 0, 0,
                        platform::gdi::kSrcCopy, platform::gdi::kColorOnColor);
    host_.SurfaceChanged();
}

void ucGIFViewer::Resize() {
    FitToClient();
    PaintBorder();
    Paint();
}

// ---- Animation ----

void ucGIFViewer::Stop() {
    host_.SetTimerEnabled(false);
}

void ucGIFViewer::Tick() {
    RenderFrame();
    // The animation cycles for ever: the image's loop count is not consulted.
    m_CurrentFrame = m_CurrentFrame < m_Frames ? static_cast<int16_t>(m_CurrentFrame + 1) : 1;
    Paint();
}

void ucGIFViewer::RenderFrame() {
    const int16_t n = m_CurrentFrame;
    // The next tick comes after the delay of the frame rendered now.
    host_.SetTimerInterval(DelayInterval(m_GIF.FrameDelay(n)));

    // Every pass through the animation starts from a clean canvas.
    if (n == 1) m_DIBBack.Cls(host_.BackColor());

    m_DIBScreen.LoadBlt(m_DIBBack.hDC(), 0, 0);
    m_GIF.FrameDraw(m_DIBScreen.hDC(), n, 0, 0, 1.0f, false);

    // Prepare the canvas that the next frame is drawn over.
    const int32_t disposal = m_GIF.FrameDisposalMethod(n);
    if (disposal == kDisposalNotGiven || disposal == kDisposalLeaveInPlace) {
        m_DIBBack.LoadBlt(m_DIBScreen.hDC(), 0, 0);
    } else if (disposal == kDisposalRestoreBackground) {
        // The frame's size is its colour bitmap's.
        const std::shared_ptr<cDIB> frame = m_GIF.FrameDIBXOR(n);
        const int32_t width = frame ? frame->Width() : 0;
        const int32_t height = frame ? frame->Height() : 0;
        m_DIBBackground.Stretch(m_DIBBack.hDC(), m_GIF.FrameLeft(n), m_GIF.FrameTop(n), width,
                                height, 0, 0, 0, 0, platform::gdi::kSrcCopy,
                                platform::gdi::kColorOnColor);
    }

    host_.RaiseGIFFrameRendered(n);
}

void ucGIFViewer::CreateBuffers() {
    const int32_t width = m_GIF.ScreenWidth();
    const int32_t height = m_GIF.ScreenHeight();
    // A screen whose size does not even compute (a file's width times a negative height
    // past the 32-bit range) leaves the buffers empty, as any other size that cannot be
    // made does, instead of throwing out of a load.
    for (cDIB* buffer : {&m_DIBScreen, &m_DIBBack, &m_DIBBackground}) {
        try {
            buffer->Create(width, height, 32);
        } catch (const std::overflow_error&) {
            buffer->Destroy();
        }
    }
    const uint32_t backColor = host_.BackColor();
    m_DIBScreen.Cls(backColor);
    m_DIBBack.Cls(backColor);
    m_DIBBackground.Cls(backColor);
    FitToClient();
}

// Natural size and centred when the image fits; otherwise shrunk with its aspect ratio
// kept, and centred. Nothing is written while the display buffer holds no bitmap.
void ucGIFViewer::FitToClient() {
    m_DIBScreen.GetBestFitInfo(host_.ClientWidth(), host_.ClientHeight(), m_bfx, m_bfy, m_bfW,
                               m_bfH, false);
}

void ucGIFViewer::Restart(bool play) {
    if (m_Frames <= 0) return;
    CreateBuffers();
    m_CurrentFrame = 1;
    PaintBorder();
    if (m_Frames > 1 && play) {
        host_.SetTimerInterval(kFirstTickIntervalMs);
        host_.SetTimerEnabled(true);
    } else {
        Tick();
    }
}

// Fills the client area outside the fit rectangle with the back colour.
void ucGIFViewer::PaintBorder() {
    namespace gdi = platform::gdi;
    const gdi::HBRUSH brush = gdi::CreateSolidBrush(TranslatedColour(host_.BackColor()));
    const gdi::HRGN client = gdi::CreateRectRgn(0, 0, host_.ClientWidth(), host_.ClientHeight());
    const gdi::HRGN picture = gdi::CreateRectRgn(m_bfx, m_bfy, m_bfx + m_bfW, m_bfy + m_bfH);
    gdi::CombineRgn(client, client, picture, gdi::kRgnDiff);
    gdi::FillRgn(host_.hDC(), client, brush);
    gdi::DeleteObject(brush);
    gdi::DeleteObject(client);
    gdi::DeleteObject(picture);
    host_.SurfaceChanged();
}

}  // namespace controls
