// The picture button's state machine against a recording host and a probe whose cursor
// the test places.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/PictureButton.h"
#include "platform/PropertyBag.h"

namespace controls {
namespace {

using platform::Picture;
using platform::PicturePtr;
using platform::PropertyBag;

PicturePtr MakeSolidPicture(int width, int height, std::uint32_t argb) {
    return Picture::FromPixels(
        Picture::Kind::Bitmap, width, height,
        std::vector<std::uint32_t>(static_cast<size_t>(width) * height, argb));
}

class FakeProbe : public CursorProbe {
  public:
    ScreenPoint GetCursorPos() const override {
        ++queries;
        return cursor;
    }
    WindowHandle WindowFromPoint(ScreenPoint) const override { return windowUnderCursor; }

    ScreenPoint cursor{};
    WindowHandle windowUnderCursor = nullptr;
    mutable int queries = 0;
};

// Records what the button asks of its host, one entry per call, in order.
class FakeHost : public PictureButtonHost {
  public:
    WindowHandle Window() const override { return this; }
    void ClearSurface() override { log.push_back("clear"); }
    void DrawPicture(const Picture& picture) override {
        log.push_back("draw " + std::to_string(picture.Width()) + "x" +
                      std::to_string(picture.Height()));
        drawn = &picture;
    }
    void SetWidth(int value) override {
        log.push_back("width " + std::to_string(value));
        if (value != width) {
            width = value;
            if (button) button->Resize();  // the platform's resize notice
        }
    }
    void SetHeight(int value) override {
        log.push_back("height " + std::to_string(value));
        if (value != height) {
            height = value;
            if (button) button->Resize();
        }
    }
    void SetUpdateTimerEnabled(bool enabled) override {
        log.push_back(enabled ? "timer on" : "timer off");
    }
    void PropertyChanged(const std::string& name) override { log.push_back("changed " + name); }
    void RaiseClick() override { log.push_back("Click"); }
    void RaiseDblClick() override { log.push_back("DblClick"); }
    void RaiseMouseMove(std::int16_t& Button, std::int16_t&, float&, float&) override {
        log.push_back("MouseMove");
        if (onMouseMove) onMouseMove(Button);
    }
    void RaiseMouseUp(std::int16_t&, std::int16_t&, float&, float&) override {
        log.push_back("MouseUp");
    }
    void RaiseMouseDown(std::int16_t& Button, std::int16_t&, float&, float&) override {
        log.push_back("MouseDown");
        if (onMouseDown) onMouseDown(Button);
    }
    void RaiseMouseEnter() override { log.push_back("MouseEnter"); }
    void RaiseMouseLeave() override {
        log.push_back("MouseLeave");
        if (onMouseLeave) onMouseLeave();
    }

    // The log entries that are events, in order.
    std::vector<std::string> Events() const {
        std::vector<std::string> events;
        for (const std::string& entry : log) {
            if (!entry.empty() && std::isupper(static_cast<unsigned char>(entry[0]))) {
                events.push_back(entry);
            }
        }
        return events;
    }

    std::vector<std::string> log;
    const Picture* drawn = nullptr;
    int width = 0;
    int height = 0;
    PictureButton* button = nullptr;
    std::function<void(std::int16_t&)> onMouseMove;
    std::function<void(std::int16_t&)> onMouseDown;
    std::function<void()> onMouseLeave;
};

using Log = std::vector<std::string>;

class PictureButtonTest : public ::testing::Test {
  protected:
    PictureButtonTest() : button(host, probe) {
        host.button = &button;
        button.ReadProperties(bag);  // three pictures, without drawing
    }

    void CursorOver() { probe.windowUnderCursor = host.Window(); }
    void CursorAway() { probe.windowUnderCursor = nullptr; }
    void CursorCovered() { probe.windowUnderCursor = &probe; }  // some other window on top

    void Move(std::int16_t Button) { button.OnMouseMove(Button, 0, 5, 5); }

    // The picture now on show, by its colour.
    std::uint32_t Shown() const { return host.drawn ? host.drawn->Pixels()[0] : 0; }

    static PropertyBag Pictures() {
        PropertyBag pictures;
        pictures.WriteProperty("Picture", MakeSolidPicture(151, 40, kRest));
        pictures.WriteProperty("PictureHover", MakeSolidPicture(151, 40, kHover));
        pictures.WriteProperty("PictureDown", MakeSolidPicture(151, 40, kDown));
        return pictures;
    }

    static constexpr std::uint32_t kRest = 0xFF0000A0;
    static constexpr std::uint32_t kHover = 0xFF00A000;
    static constexpr std::uint32_t kDown = 0xFFA00000;

    FakeHost host;
    FakeProbe probe;
    PropertyBag bag = Pictures();
    PictureButton button;
};

TEST_F(PictureButtonTest, PlainClickFromOutsideGoesThroughHoverDownHoverRest) {
    button.Resize();  // sited by the host
    EXPECT_EQ(Shown(), kRest);
    EXPECT_EQ(host.width, 151);
    EXPECT_EQ(host.height, 40);

    CursorOver();
    Move(0);
    EXPECT_EQ(button.State(), Hover);
    EXPECT_EQ(Shown(), kHover);
    EXPECT_TRUE(button.MouseInside());
    EXPECT_TRUE(button.UpdateTimerEnabled());

    button.OnMouseDown(kLeftButton, 0, 5, 5);
    EXPECT_EQ(Shown(), kDown);
    button.OnMouseUp(kLeftButton, 0, 5, 5);
    EXPECT_EQ(Shown(), kHover);
    button.OnClick();

    button.OnUpdateTimer();  // still over: nothing happens
    EXPECT_EQ(button.State(), Hover);

    CursorAway();
    button.OnUpdateTimer();
    EXPECT_EQ(button.State(), Rest);
    EXPECT_EQ(Shown(), kRest);
    EXPECT_FALSE(button.UpdateTimerEnabled());
    EXPECT_FALSE(button.MouseInside());
    EXPECT_EQ(host.Events(),
              (Log{"MouseMove", "MouseEnter", "MouseDown", "MouseUp", "Click", "MouseLeave"}));
}

TEST_F(PictureButtonTest, EnteringArmsTheTimerBeforeRaisingMouseEnterAndDrawsAfter) {
    button.Resize();
    CursorOver();
    host.log.clear();
    Move(0);
    EXPECT_EQ(host.log, (Log{"MouseMove", "timer on", "MouseEnter", "clear", "draw 151x40",
                             "width 151", "height 40"}));

    // A second move inside does nothing beyond the event.
    host.log.clear();
    Move(0);
    EXPECT_EQ(host.log, (Log{"MouseMove"}));
}

TEST_F(PictureButtonTest, LeavingRaisesMouseLeaveWhileTheOldPictureIsStillOnShow) {
    CursorOver();
    Move(0);
    std::uint32_t shownDuringLeave = 0;
    host.onMouseLeave = [&] { shownDuringLeave = Shown(); };
    CursorAway();
    host.log.clear();
    button.OnUpdateTimer();
    EXPECT_EQ(shownDuringLeave, kHover);
    EXPECT_EQ(host.log,
              (Log{"timer off", "MouseLeave", "clear", "draw 151x40", "width 151", "height 40"}));
}

TEST_F(PictureButtonTest, DragOffAndBackKeepsTheTimerAndPressesAgainWithoutMouseEnter) {
    CursorOver();
    Move(0);
    button.OnMouseDown(kLeftButton, 0, 5, 5);

    // Dragged off: rest picture, no MouseLeave yet, the timer keeps running.
    CursorAway();
    Move(kLeftButton);
    EXPECT_EQ(Shown(), kRest);
    EXPECT_FALSE(button.MouseInside());
    EXPECT_TRUE(button.UpdateTimerEnabled());

    // The first tick outside announces the leaving.
    button.OnUpdateTimer();
    EXPECT_FALSE(button.UpdateTimerEnabled());

    // Dragged back: pressed again, without MouseEnter.
    CursorOver();
    Move(kLeftButton);
    EXPECT_EQ(Shown(), kDown);
    EXPECT_FALSE(button.MouseInside());

    button.OnMouseUp(kLeftButton, 0, 5, 5);
    EXPECT_EQ(Shown(), kHover);
    EXPECT_EQ(host.Events(), (Log{"MouseMove", "MouseEnter", "MouseDown", "MouseMove", "MouseLeave",
                                  "MouseMove", "MouseUp"}));

    // The next plain move over it announces MouseEnter once more.
    Move(0);
    EXPECT_EQ(host.Events().back(), "MouseEnter");
    EXPECT_TRUE(button.UpdateTimerEnabled());
}

TEST_F(PictureButtonTest, MoveWithLeftHeldAfterEnteringAnnouncesMouseEnterAgain) {
    CursorOver();
    Move(0);
    Move(kLeftButton);  // inside is cleared by a move with the left button held
    EXPECT_FALSE(button.MouseInside());
    Move(0);
    const Log events = host.Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "MouseEnter"), 2);
    EXPECT_EQ(std::count(events.begin(), events.end(), "MouseLeave"), 0);
}

TEST_F(PictureButtonTest, TheKeyboardPressesWithTheSameClickAndNoMouseEvents) {
    button.Resize();
    button.OnKeyPress();
    EXPECT_EQ(Shown(), kDown);
    button.OnKeyRelease();
    EXPECT_EQ(Shown(), kRest);  // the cursor is elsewhere
    EXPECT_EQ(host.Events(), (Log{"Click"}));

    // Under the cursor the release shows the hover picture.
    CursorOver();
    Move(0);
    button.OnKeyPress();
    button.OnKeyRelease();
    EXPECT_EQ(Shown(), kHover);

    // The focus leaving with the key still down cancels the press; a release that follows
    // a press elsewhere clicks nothing.
    button.OnKeyPress();
    button.OnKeyCancel();
    EXPECT_EQ(Shown(), kHover);
    button.OnKeyRelease();
    EXPECT_EQ(host.Events(), (Log{"Click", "MouseMove", "MouseEnter", "Click"}));
}

TEST_F(PictureButtonTest, RightAndMiddleButtonsChangeNoPicture) {
    button.Resize();
    CursorOver();
    host.log.clear();
    Move(kRightButton);
    Move(kRightButton | kLeftButton);  // right with left: still ignored
    Move(kMiddleButton);
    EXPECT_EQ(host.log, (Log{"MouseMove", "MouseMove", "MouseMove"}));
    EXPECT_EQ(button.State(), Rest);

    button.OnMouseDown(kRightButton, 0, 5, 5);
    EXPECT_EQ(button.State(), Rest);
    // The release decides by where the cursor is.
    button.OnMouseUp(kRightButton, 0, 5, 5);
    EXPECT_EQ(button.State(), Hover);
    CursorAway();
    button.OnMouseUp(kRightButton, 0, 5, 5);
    EXPECT_EQ(button.State(), Rest);
}

TEST_F(PictureButtonTest, LeftPressWithAnotherButtonHeldDoesNotPress) {
    CursorOver();
    Move(0);
    button.OnMouseDown(kLeftButton | kRightButton, 0, 5, 5);
    EXPECT_EQ(button.State(), Hover);
}

TEST_F(PictureButtonTest, AWindowCoveringTheButtonEndsTheHover) {
    CursorOver();
    Move(0);
    CursorCovered();  // the cursor is still inside the rectangle, under a tooltip
    button.OnUpdateTimer();
    EXPECT_EQ(button.State(), Rest);
    EXPECT_EQ(host.Events().back(), "MouseLeave");
}

TEST_F(PictureButtonTest, HandlersThatChangeButtonChangeTheReaction) {
    CursorOver();
    // MouseDown's handler turns a left press into a right one: no pressed picture.
    host.onMouseDown = [](std::int16_t& Button) { Button = kRightButton; };
    Move(0);
    button.OnMouseDown(kLeftButton, 0, 5, 5);
    EXPECT_EQ(button.State(), Hover);

    // MouseMove's handler turns a plain move into a right-button move: nothing happens.
    CursorAway();
    host.onMouseMove = [](std::int16_t& Button) { Button = kRightButton; };
    Move(0);
    EXPECT_EQ(button.State(), Hover);
    EXPECT_TRUE(button.MouseInside());

    // And a plain move into a left-button move over the control: pressed.
    CursorOver();
    host.onMouseMove = [](std::int16_t& Button) { Button = kLeftButton; };
    Move(0);
    EXPECT_EQ(button.State(), Down);
}

TEST_F(PictureButtonTest, PicturesOfDifferentSizesResizeTheButtonPerState) {
    button.SetPictureHover(MakeSolidPicture(30, 20, kHover));
    button.SetPictureDown(MakeSolidPicture(10, 50, kDown));
    CursorOver();
    Move(0);
    EXPECT_EQ(host.width, 30);
    EXPECT_EQ(host.height, 20);
    button.OnMouseDown(kLeftButton, 0, 5, 5);
    EXPECT_EQ(host.width, 10);
    EXPECT_EQ(host.height, 50);
    CursorAway();
    button.OnMouseUp(kLeftButton, 0, 5, 5);
    EXPECT_EQ(host.width, 151);
    EXPECT_EQ(host.height, 40);
}

TEST_F(PictureButtonTest, ResizeNoticeFromInsideDrawingSettlesWithoutLooping) {
    host.log.clear();
    button.Resize();
    // The outer run changes the width; the resize notice redraws and sets the height, and
    // the outer run then finds both right.
    EXPECT_EQ(host.log,
              (Log{"clear", "draw 151x40", "width 151", "clear", "draw 151x40", "width 151",
                   "height 40", "clear", "draw 151x40", "width 151", "height 40", "height 40"}));
}

TEST_F(PictureButtonTest, SettingAPictureRedrawsTheCurrentStateAndReportsTheChange) {
    button.Resize();
    host.log.clear();
    button.SetPictureDown(MakeSolidPicture(20, 20, kDown));
    // At rest, setting the pressed picture redraws the rest picture.
    EXPECT_EQ(host.log,
              (Log{"clear", "draw 151x40", "width 151", "height 40", "changed PictureDown"}));
    EXPECT_EQ(Shown(), kRest);

    host.log.clear();
    const PicturePtr rest = MakeSolidPicture(40, 10, kRest);
    button.SetPicture(rest);
    EXPECT_EQ(button.Picture(), rest);  // the reference itself, not a copy
    EXPECT_EQ(host.width, 40);
    EXPECT_EQ(host.log.back(), "changed Picture");

    button.SetPictureHover(nullptr);
    EXPECT_EQ(host.log.back(), "changed PictureHover");
}

TEST_F(PictureButtonTest, WithoutPicturesEveryDrawOnlyClears) {
    PropertyBag empty;
    button.ReadProperties(empty);
    host.log.clear();
    button.Resize();
    CursorOver();
    Move(0);
    button.OnMouseDown(kLeftButton, 0, 5, 5);
    for (const std::string& entry : host.log)
        EXPECT_EQ(entry.rfind("draw", 0), std::string::npos);
    EXPECT_EQ(host.width, 0);
}

TEST_F(PictureButtonTest, EmptyHoverPictureShowsAClearedSurfaceAtTheSameSize) {
    button.SetPictureHover(nullptr);
    button.Resize();
    CursorOver();
    host.log.clear();
    Move(0);
    EXPECT_EQ(host.log,
              (Log{"MouseMove", "timer on", "MouseEnter", "clear", "width 151", "height 40"}));
    CursorAway();
    button.OnUpdateTimer();
    EXPECT_EQ(Shown(), kRest);
}

// A host whose drawing fails: the button goes on with the next step and reports nothing.
class FailingHost : public FakeHost {
  public:
    void ClearSurface() override { throw std::runtime_error("no surface"); }
    void DrawPicture(const Picture&) override { throw std::runtime_error("cannot draw"); }
};

TEST(PictureButtonFailures, FailedDrawingStepsAreSkipped) {
    FailingHost host;
    FakeProbe probe;
    PictureButton button(host, probe);
    EXPECT_NO_THROW(button.SetPicture(MakeSolidPicture(12, 7, 0xFFFFFFFF)));
    EXPECT_EQ(host.width, 12);
    EXPECT_EQ(host.height, 7);
}

TEST(PictureButtonPersistence, ReadsWithoutDrawingAndWritesOnlyPicturesThatAreSet) {
    FakeHost host;
    FakeProbe probe;
    PictureButton button(host, probe);
    PropertyBag stored;
    const PicturePtr rest = MakeSolidPicture(3, 3, 1);
    const PicturePtr down = MakeSolidPicture(4, 4, 2);
    stored.WriteProperty("Picture", rest);
    stored.WriteProperty("PictureDown", down);

    button.ReadProperties(stored);
    EXPECT_TRUE(host.log.empty());  // no redraw, no change notice
    EXPECT_EQ(button.Picture(), rest);
    EXPECT_EQ(button.PictureHover(), nullptr);
    EXPECT_EQ(button.PictureDown(), down);

    PropertyBag saved;
    button.WriteProperties(saved);
    EXPECT_EQ(saved.Count(), 2u);
    EXPECT_FALSE(saved.Contains("PictureHover"));
    EXPECT_EQ(saved.Read<PicturePtr>("PictureDown", nullptr), down);
}

TEST(PictureButtonPolling, ATickWithTheCursorInsideOnlyAsksWhereTheCursorIs) {
    FakeHost host;
    FakeProbe probe;
    PictureButton button(host, probe);
    probe.windowUnderCursor = host.Window();
    button.OnMouseMove(0, 0, 1, 1);
    host.log.clear();
    probe.queries = 0;
    button.OnUpdateTimer();
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(probe.queries, 1);
}

}  // namespace
}  // namespace controls
