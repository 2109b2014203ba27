#pragma once
// The Qt host of a GifViewer: a widget whose surface is a 32-bit bitmap of its client
// area, which runs the viewer's delay timer, reads its resources from the Qt resource
// system, and passes Qt's input on as the viewer's events.

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "controls/ControlSurface.h"
#include "controls/GifViewer.h"
#include "controls/GifViewerHost.h"
#include "controls/qt/ClickTracker.h"

namespace controls {

class GifViewerWidget : public QWidget, private GifViewerHost {
    Q_OBJECT
    // Descriptions offered to designers: the control's own texts, in the language it was
    // published in, so designers that read them see what they always saw.
    Q_CLASSINFO("BackColor",
                "Devuelve o establece el color de fondo usado para mostrar texto y gráficos en "
                "un objeto.")
    Q_CLASSINFO("enabled",
                "Devuelve o establece un valor que determina si un objeto puede responder a "
                "eventos generados por el usuario.")

  public:
    explicit GifViewerWidget(QWidget* parent = nullptr);
    ~GifViewerWidget() override;

    // The viewer's methods and properties.
    GifViewer& Viewer() { return *viewer_; }
    const GifViewer& Viewer() const { return *viewer_; }

    // The client area's surface as last painted, for inspection.
    const ControlSurface& Surface() const { return surface_; }
    // The interval that the delay timer really runs at (never below the platform's minimum).
    int EffectiveInterval() const { return delayTimer_.interval(); }

  signals:
    // The viewer's events, in declaration order. The values are references: a directly
    // connected handler may change them.
    void Click();
    void DblClick();
    void KeyPress(std::int16_t& KeyAscii);
    void MouseDown(std::int16_t& Button, std::int16_t& Shift, float& x, float& y);
    void MouseMove(std::int16_t& Button, std::int16_t& Shift, float& x, float& y);
    void MouseUp(std::int16_t& Button, std::int16_t& Shift, float& x, float& y);
    void GIFFrameRendered(std::int16_t Frame);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // GifViewerHost
    void SetTimerInterval(std::int32_t milliseconds) override;
    std::int32_t TimerInterval() const override { return timerInterval_; }
    void SetTimerEnabled(bool enabled) override;
    bool TimerEnabled() const override { return delayTimer_.isActive(); }
    std::int32_t ClientWidth() const override { return contentsRect().width(); }
    std::int32_t ClientHeight() const override { return contentsRect().height(); }
    platform::gdi::HDC hDC() override;
    void SurfaceChanged() override { update(); }
    platform::OLE_COLOR BackColor() const override { return backColor_; }
    void SetBackColor(platform::OLE_COLOR colour) override;
    std::int16_t BorderStyle() const override { return borderStyle_; }
    void SetBorderStyle(std::int16_t style) override;
    bool Enabled() const override { return isEnabled(); }
    void SetEnabled(bool enabled) override { setEnabled(enabled); }
    std::vector<std::uint8_t> ReadResource(const std::string& resourceId,
                                           const std::string& resourceType) override;
    void RaiseGIFFrameRendered(std::int16_t frame) override { emit GIFFrameRendered(frame); }

    // A new surface of the client size, filled with the background colour.
    void MakeSurface();

    QTimer delayTimer_;
    std::int32_t timerInterval_;
    platform::OLE_COLOR backColor_;
    std::int16_t borderStyle_ = 0;
    ClickTracker click_;
    ControlSurface surface_;
    std::unique_ptr<GifViewer> viewer_;
};

}  // namespace controls
