#pragma once
// The Qt host of a PictureButton: a widget whose surface holds the picture on show, which
// passes Qt's mouse input to the button and the button's events on as signals. It takes
// the focus from Tab (a click leaves the focus where it was), shows the focus with a
// dotted mark over its picture, and Space or Enter press it. Screen readers see a button
// with a press action.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "controls/ControlSurface.h"
#include "controls/PictureButton.h"
#include "controls/PictureButtonHost.h"
#include "controls/qt/ClickTracker.h"
#include "controls/qt/QtCursorProbe.h"
#include "platform/SystemColors.h"

namespace controls {

class PictureButtonWidget : public QWidget, private PictureButtonHost {
    Q_OBJECT

  public:
    // Without a probe the button knows the cursor from its own mouse, enter and leave events.
    explicit PictureButtonWidget(QWidget* parent = nullptr, const CursorProbe* probe = nullptr);
    ~PictureButtonWidget() override;

    // Presses the button as the keyboard does: the same Click as a mouse click.
    void Press();

    PictureButton& Control() { return *button_; }
    const PictureButton& Control() const { return *button_; }

    // The colour the surface is cleared to before a picture is drawn: an OLE colour, the
    // button face by default.
    platform::OLE_COLOR BackColor() const { return backColor_; }
    void SetBackColor(platform::OLE_COLOR colour);

    // A copy of the surface as last drawn (without the focus mark), in device pixels.
    QImage Surface() const;
    // Each notice of a changed persisted property (for hosts that save their layout).
    int PropertyChangeCount() const { return propertyChanges_; }

  signals:
    // The button's events, in declaration order. The mouse values are references: a
    // directly connected handler may change them, and the button acts on the changed values.
    void Click();
    void DblClick();
    void MouseMove(std::int16_t& Button, std::int16_t& Shift, float& x, float& y);
    void MouseUp(std::int16_t& Button, std::int16_t& Shift, float& x, float& y);
    void MouseDown(std::int16_t& Button, std::int16_t& Shift, float& x, float& y);
    void MouseEnter();
    void MouseLeave();
    void PropertyChangedNotice(const QString& name);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // PictureButtonHost
    WindowHandle Window() const override { return static_cast<const QWidget*>(this); }
    void ClearSurface() override;
    void DrawPicture(const platform::Picture& picture) override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetUpdateTimerEnabled(bool enabled) override;
    void PropertyChanged(const std::string& name) override;
    void RaiseClick() override { emit Click(); }
    void RaiseDblClick() override { emit DblClick(); }
    void RaiseMouseMove(std::int16_t& Button, std::int16_t& Shift, float& x, float& y) override {
        emit MouseMove(Button, Shift, x, y);
    }
    void RaiseMouseUp(std::int16_t& Button, std::int16_t& Shift, float& x, float& y) override {
        emit MouseUp(Button, Shift, x, y);
    }
    void RaiseMouseDown(std::int16_t& Button, std::int16_t& Shift, float& x, float& y) override {
        emit MouseDown(Button, Shift, x, y);
    }
    void RaiseMouseEnter() override { emit MouseEnter(); }
    void RaiseMouseLeave() override { emit MouseLeave(); }

    // The surface's device pixels to a pixel: the screen's ratio, rounded up to a whole one.
    int SurfaceRatio() const;

    QtCursorProbe cursor_;
    ControlSurface surface_;
    platform::OLE_COLOR backColor_ = platform::kOleButtonFace;
    QTimer updateTimer_;
    ClickTracker click_;
    int propertyChanges_ = 0;
    std::unique_ptr<PictureButton> button_;
};

}  // namespace controls
