#pragma once
// The Qt host of a PictureButton: a widget whose surface holds the picture on show, which
// passes Qt's mouse input to the button and the button's events on as signals.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "ControlSurface.h"
#include "PictureButton.h"
#include "PictureButtonHost.h"
#include "platform/SystemColors.h"

namespace controls {

class PictureButtonWidget : public QWidget, private PictureButtonHost {
    Q_OBJECT

  public:
    explicit PictureButtonWidget(QWidget* parent = nullptr, const CursorProbe* probe = nullptr);
    ~PictureButtonWidget() override;

    PictureButton& Control() { return *button_; }
    const PictureButton& Control() const { return *button_; }

    // The colour the surface is cleared to before a picture is drawn: an OLE colour, the
    // button face by default.
    platform::OLE_COLOR BackColor() const { return backColor_; }
    void SetBackColor(platform::OLE_COLOR New_BackColor);

    // A copy of the surface as last drawn.
    QImage Surface() const;
    // Each notice of a changed persisted property (for hosts that save their layout).
    int PropertyChangeCount() const { return propertyChanges_; }

  signals:
    // The button's events, in declaration order. The mouse values are references: a
    // directly connected handler may change them, and the button acts on the changed values.
    void Click();
    void DblClick();
    void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& y);
    void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& y);
    void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& y);
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

  private:
    // PictureButtonHost
    WindowHandle Window() const override { return this; }
    void ClearSurface() override;
    void DrawPicture(const platform::Picture& picture) override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void SetUpdateTimerEnabled(bool enabled) override;
    void PropertyChanged(const std::string& name) override;
    void RaiseClick() override { emit Click(); }
    void RaiseDblClick() override { emit DblClick(); }
    void RaiseMouseMove(int16_t& Button, int16_t& Shift, float& x, float& y) override {
        emit MouseMove(Button, Shift, x, y);
    }
    void RaiseMouseUp(int16_t& Button, int16_t& Shift, float& x, float& y) override {
        emit MouseUp(Button, Shift, x, y);
    }
    void RaiseMouseDown(int16_t& Button, int16_t& Shift, float& x, float& y) override {
        emit MouseDown(Button, Shift, x, y);
    }
    void RaiseMouseEnter() override { emit MouseEnter(); }
    void RaiseMouseLeave() override { emit MouseLeave(); }

    ControlSurface surface_;
    platform::OLE_COLOR backColor_ = platform::kOleButtonFace;
    QTimer updateTimer_;
    bool leftPressed_ = false;
    int propertyChanges_ = 0;
    std::unique_ptr<PictureButton> button_;
};

}  // namespace controls
